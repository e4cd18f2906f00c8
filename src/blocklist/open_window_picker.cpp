#include "blocklist/open_window_picker.h"

#include <cmath>
#include <utility>

#include "engine/browser_frames.h"
#include "engine/window_inspection.h"
#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::blocklist {

using platform::ControlKind;
using platform::UiId;

namespace {

constexpr char kPrompt[] =
    "Enter the title of internet window or any part of the title to block, Or select one from listed open "
    "internet windows below.";
constexpr char kListCaption[] = "Currently open browser window titles";

}  // namespace

void OpenWindowPicker::Open() {
  Load();
  Refresh();
  if (Loaded()) preview_line_.Update(ui_, preview_, ui_.Text(text_));
  ui_.SetVisible(form_, true);
  ui_.SetTopmost(form_);
}

void OpenWindowPicker::Load() {
  if (Loaded()) return;
  form_ = ui_.CreateForm({"Form2", std::string(kPickerCaption), 6360, 5340}, *this);
  ui_.CreateControl(form_, {ControlKind::kFrame, "Picture1", "", {0, 0, 6360, 675}});
  ui_.CreateControl(form_, {ControlKind::kPicture, "Image1", "add", {120, 100, 480, 480}});
  ui_.CreateControl(form_, {ControlKind::kLabel, "Label1", kPrompt, {720, 90, 5520, 520}});
  text_ = ui_.CreateControl(form_, {ControlKind::kTextField, "Text1", "", {120, 840, 6120, 315}});
  if (preview_) preview_line_.Create(ui_, form_, {120, 1230, 6120, 255});
  ui_.CreateControl(form_, {ControlKind::kLabel, "Label2", kListCaption, {120, 1620, 6120, 255}});
  list_ = ui_.CreateControl(form_, {ControlKind::kListBox, "lstOpen", "", {120, 1920, 6120, 2640}});
  auto_refresh_ =
      ui_.CreateControl(form_, {ControlKind::kCheckBox, "Check1", "Auto Refresh", {120, 4800, 2400, 255}});
  ok_ = ui_.CreateControl(form_, {ControlKind::kButton, "drawnButton8", "OK", {3720, 4740, 1200, 420}});
  cancel_ =
      ui_.CreateControl(form_, {ControlKind::kButton, "drawnButton7", "Cancel", {5040, 4740, 1200, 420}});
  timer_ = ui_.CreateTimer(form_, kPickerRefreshInterval);
  ui_.CenterOnScreen(form_);
  ui_.SetTopmost(form_);
  // "refresh" as a whole number; missing or not a number is off. A change made here is
  // stored like a click.
  const double stored = text::LeadingNumber(settings::ReadOption(services_.registry, settings::kAutoRefresh));
  const int value = std::nearbyint(stored) == 1 ? 1 : 0;
  if (ui_.Value(auto_refresh_) != value) {
    ui_.SetValue(auto_refresh_, value);
    StoreAutoRefresh();
  }
}

void OpenWindowPicker::Unload() {
  if (!Loaded()) return;
  ui_.DestroyForm(std::exchange(form_, 0));
  text_ = list_ = auto_refresh_ = ok_ = cancel_ = timer_ = 0;
  preview_line_ = {};
}

void OpenWindowPicker::Refresh() {
  if (!Loaded()) return;
  const UiId list = list_;
  ui_.ListClear(list);
  std::string chromium_text = settings::ReadOption(services_.registry, settings::kChromium);
  if (policies_) chromium_text = policies_().SwitchText(settings::kChromium, std::move(chromium_text));
  const bool chromium = text::IsOn(chromium_text);
  for (const std::string& title :
       engine::ListOpenBrowserWindows(services_.desktop, own_window_(), chromium)) {
    ui_.DoEvents();
    if (!Loaded()) return;  // the picker was closed meanwhile
    ui_.ListAdd(list, {title}, "");
  }
}

void OpenWindowPicker::StoreAutoRefresh() {
  settings::UpdateOption(services_.registry, settings::kAutoRefresh,
                         std::to_string(ui_.Value(auto_refresh_)));
}

void OpenWindowPicker::OnClick(UiId control) {
  if (control == auto_refresh_) {
    StoreAutoRefresh();
  } else if (control == ok_) {
    const std::string text = ui_.Text(text_);
    on_ok_(text);
    Unload();
  } else if (control == cancel_) {
    Unload();
  }
}

void OpenWindowPicker::OnItemClick(UiId control, std::size_t row) {
  if (control != list_) return;
  ui_.SetText(text_, ui_.ListText(list_, row));
  preview_line_.Update(ui_, preview_, ui_.Text(text_));
}

void OpenWindowPicker::OnTextEdited(UiId control) {
  if (control == text_) preview_line_.Update(ui_, preview_, ui_.Text(text_));
}

void OpenWindowPicker::OnTimer(UiId timer) {
  if (timer == timer_ && ui_.Value(auto_refresh_) == 1) Refresh();
}

void OpenWindowPicker::OnCloseRequest(UiId /*form*/) {
  Unload();
}

}  // namespace quellix::blocklist
