#include "ui/info_window.h"

#include <utility>

#include "product/product.h"

namespace quellix::ui {

using platform::ControlKind;

namespace {
constexpr int kShowNormal = 1;
}  // namespace

void InfoWindow::Show() {
  if (!Loaded()) {
    const std::string name(product::kAppTitle);
    form_ = ui_.CreateForm({"Form4", name, 5400, 3000}, *this);
    ui_.CreateControl(form_, {ControlKind::kPicture, "Image1", "tray", {240, 240, 480, 480}});
    ui_.CreateControl(form_, {ControlKind::kLabel, "lblName", name, {960, 240, 4200, 300}});
    ui_.CreateControl(form_, {ControlKind::kLabel, "lblVersion", "Version " + std::string(product::kVersion),
                              {960, 600, 4200, 300}});
    ui_.CreateControl(form_, {ControlKind::kLabel, "lblLine", "Quellix For Internet Explorer and Netscap Navigator.",
                              {240, 1080, 4920, 300}});
    web_link_ = ui_.CreateControl(form_, {ControlKind::kLink, "lblWeb", std::string(product::kMakerWebAddress),
                                          {240, 1500, 4920, 300}});
    mail_link_ = ui_.CreateControl(form_, {ControlKind::kLink, "lblMail", std::string(product::kSupportMail),
                                           {240, 1860, 4920, 300}});
    ok_ = ui_.CreateControl(form_, {ControlKind::kButton, "drawnButton1", "OK", {3960, 2400, 1200, 420}});
    ui_.CenterOnScreen(form_);
  }
  ui_.SetVisible(form_, true);
}

void InfoWindow::Unload() {
  if (!Loaded()) return;
  ui_.DestroyForm(std::exchange(form_, 0));
  if (on_closed_) on_closed_();
}

void InfoWindow::OnClick(platform::UiId control) {
  const std::uint32_t owner = ui_.NativeWindow(form_);
  if (control == web_link_) shell_.Open("http://" + std::string(product::kMakerWebAddress) + "/", "", owner, kShowNormal);
  if (control == mail_link_) shell_.Open("mailto:" + std::string(product::kSupportMail), "", owner, kShowNormal);
  if (control == ok_) Unload();
}

void InfoWindow::OnCloseRequest(platform::UiId /*form*/) { Unload(); }

}  // namespace quellix::ui
