#include "ui/info_window.h"

#include <utility>

#include "product/product.h"

namespace quellix::ui {

using platform::ControlKind;

namespace {
constexpr int kShowNormal = 1;
constexpr int kManagedTop = 2340, kLineHeight = 300;
constexpr std::size_t kManagedLineCount = 3;
}  // namespace

std::vector<std::string> InfoWindow::ManagedLines(const blocklist::ManagedListStatus& status) {
  if (status.path.empty()) return {"Managed block list: none", "", ""};
  std::string entries = "Entries: " + std::to_string(status.entries);
  if (status.from_kept_copy) entries += " (from the kept copy)";
  entries += "    Last read: " + (status.last_read.empty() ? std::string("not yet") : status.last_read);
  return {"Managed block list: " + status.path, entries,
          "Last error: " + (status.last_error.empty() ? std::string("none") : status.last_error)};
}

void InfoWindow::Show() {
  if (!Loaded()) {
    const std::string name(product::kAppTitle);
    form_ = ui_.CreateForm({"Form4", name, 7800, 5100}, *this);
    ui_.CreateControl(form_, {ControlKind::kPicture, "Image1", "tray", {240, 240, 480, 480}});
    ui_.CreateControl(form_, {ControlKind::kLabel, "lblName", name, {960, 240, 4200, 300}});
    ui_.CreateControl(form_, {ControlKind::kLabel,
                              "lblVersion",
                              "Version " + std::string(product::kVersion),
                              {960, 600, 4200, 300}});
    ui_.CreateControl(form_, {ControlKind::kLabel,
                              "lblLine",
                              "Quellix For Internet Explorer and Netscap Navigator.",
                              {240, 1080, 4920, 300}});
    web_link_ = ui_.CreateControl(
        form_,
        {ControlKind::kLink, "lblWeb", std::string(product::kMakerWebAddress), {240, 1500, 4920, 300}});
    mail_link_ = ui_.CreateControl(
        form_, {ControlKind::kLink, "lblMail", std::string(product::kSupportMail), {240, 1860, 4920, 300}});
    for (std::size_t i = 0; i < kManagedLineCount; ++i) {
      const int top = kManagedTop + static_cast<int>(i) * kLineHeight;
      managed_lines_.push_back(ui_.CreateControl(
          form_,
          {ControlKind::kLabel, "lblManaged" + std::to_string(i + 1), "", {240, top, 7320, kLineHeight}}));
    }
    for (std::size_t i = 0; i < kRulesLineCount; ++i) {
      const int top = kManagedTop + static_cast<int>(kManagedLineCount + i) * kLineHeight;
      rules_lines_shown_.push_back(ui_.CreateControl(
          form_, {ControlKind::kLabel, "lblRules" + std::to_string(i + 1), "", {240, top, 7320, kLineHeight}}));
    }
    ok_ = ui_.CreateControl(form_, {ControlKind::kButton, "drawnButton1", "OK", {6360, 4560, 1200, 420}});
    ui_.CenterOnScreen(form_);
  }
  const std::vector<std::string> lines =
      ManagedLines(managed_status_ ? managed_status_() : blocklist::ManagedListStatus{});
  for (std::size_t i = 0; i < managed_lines_.size() && i < lines.size(); ++i)
    ui_.SetText(managed_lines_[i], lines[i]);
  const std::vector<std::string> rules = rules_lines_ ? rules_lines_() : std::vector<std::string>();
  for (std::size_t i = 0; i < rules_lines_shown_.size(); ++i)
    ui_.SetText(rules_lines_shown_[i], i < rules.size() ? rules[i] : std::string());
  ui_.SetVisible(form_, true);
}

void InfoWindow::Unload() {
  if (!Loaded()) return;
  ui_.DestroyForm(std::exchange(form_, 0));
  managed_lines_.clear();
  rules_lines_shown_.clear();
  if (on_closed_) on_closed_();
}

void InfoWindow::OnClick(platform::UiId control) {
  const std::uint32_t owner = ui_.NativeWindow(form_);
  if (control == web_link_)
    shell_.Open("http://" + std::string(product::kMakerWebAddress) + "/", "", owner, kShowNormal);
  if (control == mail_link_)
    shell_.Open("mailto:" + std::string(product::kSupportMail), "", owner, kShowNormal);
  if (control == ok_) Unload();
}

void InfoWindow::OnCloseRequest(platform::UiId /*form*/) {
  Unload();
}

}  // namespace quellix::ui
