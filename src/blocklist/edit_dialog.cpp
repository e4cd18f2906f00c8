#include "blocklist/edit_dialog.h"

#include <utility>

namespace quellix::blocklist {

using platform::ControlKind;

void EditDialog::Open(const std::string& text) {
  if (!Loaded()) {
    const std::string caption(kEditDialogCaption);
    form_ = ui_.CreateForm({"Form3", caption, 5400, 2100}, *this);
    ui_.CreateControl(form_, {ControlKind::kFrame, "Frame1", "", {120, 60, 5160, 1440}});
    ui_.CreateControl(form_, {ControlKind::kLabel, "Label1", caption, {240, 240, 4920, 255}});
    text_ = ui_.CreateControl(form_, {ControlKind::kTextField, "Text1", "", {240, 600, 4920, 315}});
    if (preview_) preview_line_.Create(ui_, form_, {240, 1020, 4920, 255});
    ok_ = ui_.CreateControl(form_, {ControlKind::kButton, "drawnButton8", "OK", {2760, 1590, 1200, 380}});
    cancel_ =
        ui_.CreateControl(form_, {ControlKind::kButton, "drawnButton7", "Cancel", {4080, 1590, 1200, 380}});
    ui_.CenterOnScreen(form_);
    ui_.SetTopmost(form_);
  }
  ui_.SetText(text_, text);
  preview_line_.Update(ui_, preview_, text);
  ui_.SetVisible(form_, true);
  ui_.SetTopmost(form_);  // an open dialog comes forward again
}

void EditDialog::Unload() {
  if (!Loaded()) return;
  ui_.DestroyForm(std::exchange(form_, 0));
  text_ = ok_ = cancel_ = 0;
  preview_line_ = {};
}

void EditDialog::OnClick(platform::UiId control) {
  if (control == ok_) {
    const std::string text = ui_.Text(text_);
    on_ok_(text);
    Unload();
  } else if (control == cancel_) {
    Unload();
  }
}

void EditDialog::OnTextEdited(platform::UiId control) {
  if (control == text_) preview_line_.Update(ui_, preview_, ui_.Text(text_));
}

void EditDialog::OnCloseRequest(platform::UiId /*form*/) {
  Unload();
}

}  // namespace quellix::blocklist
