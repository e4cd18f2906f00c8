#include "rules/rule_dialog.h"

#include <utility>

#include "product/product.h"

namespace quellix::rules {

using platform::ControlKind;

std::string RulePreviewText(std::size_t named) {
  if (named == 0) return "Names none of the windows open now";
  return "Names " + std::to_string(named) + " of the windows open now";
}

void RuleDialog::Load() {
  const std::string caption(kRuleDialogCaption);
  c_.form = ui_.CreateForm({"Form5", caption, 7800, 6540}, *this);
  // In the order the Tab key goes: each field after its label.
  struct Field {
    const char* label;
    const char* name;
    platform::UiId* id;
  };
  const Field fields[] = {{"&Program (its file, as nagware.exe):", "txtProgram", &c_.program},
                          {"&Class (exact, empty for any):", "txtClass", &c_.class_name},
                          {"&Title contains (empty for any):", "txtTitle", &c_.title},
                          {"Te&xt it shows contains (empty for any):", "txtText", &c_.text}};
  int top = 120;
  for (const Field& f : fields) {
    ui_.CreateControl(c_.form, {ControlKind::kLabel, std::string("lbl") + (f.name + 3), f.label, {120, top + 40, 3300, 255}});
    *f.id = ui_.CreateControl(c_.form, {ControlKind::kTextField, f.name, "", {3480, top, 4200, 315}});
    top += 420;
  }
  const platform::UiId action = ui_.CreateControl(c_.form, {ControlKind::kFrame, "fraAction", "Action", {120, top, 7560, 780}});
  platform::ControlSpec close{ControlKind::kOptionButton, "optClose", "Cl&ose the window", {120, 240, 2400, 255}};
  close.container = action;
  c_.close = ui_.CreateControl(c_.form, close);
  platform::ControlSpec press{ControlKind::kOptionButton, "optPress", "Press the &button:", {2640, 240, 2100, 255}};
  press.container = action;
  c_.press = ui_.CreateControl(c_.form, press);
  platform::ControlSpec button{ControlKind::kTextField, "txtButton", "", {4800, 210, 2640, 315}};
  button.container = action;
  c_.button = ui_.CreateControl(c_.form, button);
  top += 900;
  c_.preview = ui_.CreateControl(c_.form, {ControlKind::kLabel, "lblPreview", "", {120, top, 7560, 255}});
  top += 360;
  ui_.CreateControl(c_.form, {ControlKind::kLabel, "lblWindows",
                              "Open &windows (a click fills the fields), or drag the crosshair onto one:",
                              {120, top, 5640, 255}});
  c_.finder = ui_.CreateControl(c_.form, {ControlKind::kWindowFinder, "picFinder", "", {5880, top - 90, 420, 420}});
  ui_.SetToolTip(c_.finder, "Drag this crosshair onto a window and let go: its program, class and title fill the fields");
  c_.refresh = ui_.CreateControl(c_.form, {ControlKind::kButton, "cmdRefresh", "&Refresh", {6480, top - 60, 1200, 340}});
  top += 330;
  platform::ControlSpec list{ControlKind::kListView, "lstWindows", "", {120, top, 7560, 2160}};
  list.columns = {"Program", "Class", "Caption"};
  list.column_widths = {1500, 1800, 0};
  c_.windows = ui_.CreateControl(c_.form, list);
  top += 2280;
  c_.ok = ui_.CreateControl(c_.form, {ControlKind::kButton, "drawnButton8", "OK", {5160, top, 1200, 380}});
  c_.cancel = ui_.CreateControl(c_.form, {ControlKind::kButton, "drawnButton7", "Cancel", {6480, top, 1200, 380}});
  ui_.CenterOnScreen(c_.form);
}

void RuleDialog::Open(const Rule& rule) {
  if (!Loaded()) Load();
  ui_.SetText(c_.program, rule.program);
  ui_.SetText(c_.class_name, rule.class_name);
  ui_.SetText(c_.title, rule.title);
  ui_.SetText(c_.text, rule.text);
  const bool press = rule.action.kind == RuleAction::Kind::kPress;
  ui_.SetValue(c_.close, press ? 0 : 1);
  ui_.SetValue(c_.press, press ? 1 : 0);
  ui_.SetText(c_.button, rule.action.button);
  FillWindows();
  UpdatePreview();
  ui_.SetVisible(c_.form, true);
  ui_.SetTopmost(c_.form);  // an open dialog comes forward again
}

void RuleDialog::Unload() {
  if (!Loaded()) return;
  ui_.DestroyForm(std::exchange(c_.form, 0));
  c_ = {};
  windows_.clear();
}

void RuleDialog::FillWindows() {
  windows_ = open_windows_ ? open_windows_() : std::vector<engine::OpenWindow>();
  ui_.ListClear(c_.windows);
  for (const engine::OpenWindow& w : windows_) ui_.ListAdd(c_.windows, {w.program, w.class_name, w.caption}, "");
}

Rule RuleDialog::FieldsRule() const {
  Rule rule{ui_.Text(c_.program), ui_.Text(c_.class_name), ui_.Text(c_.title), ui_.Text(c_.text), {}};
  if (ui_.Value(c_.press) == 1) rule.action = {RuleAction::Kind::kPress, ui_.Text(c_.button)};
  return rule;
}

void RuleDialog::UpdatePreview() {
  const Rule rule = FieldsRule();
  const RuleLine read = ReadRuleLine(RuleLineText(rule));
  // While the fields are no rule yet, the line says what is missing.
  ui_.SetText(c_.preview, read.rule ? RulePreviewText(engine::CountNamedWindows(services_, *read.rule, windows_))
                                    : read.problem);
}

void RuleDialog::TakeWindow(const engine::OpenWindow& window) {
  ui_.SetText(c_.program, window.program);
  ui_.SetText(c_.class_name, window.class_name);
  ui_.SetText(c_.title, window.caption);
  ui_.SetText(c_.text, "");
  UpdatePreview();
}

void RuleDialog::Tell(const std::string& text) {
  services_.messages.Show(text, std::string(product::kAppTitle), platform::MessageIcon::kStop,
                          platform::MessageButtons::kOk);
}

void RuleDialog::OnClick(platform::UiId control) {
  if (control == c_.ok) {
    const std::string line = RuleLineText(FieldsRule());
    if (line.empty()) {
      Tell("A field holds a tab or a line break, which a rule cannot keep.");
      return;
    }
    const RuleLine read = ReadRuleLine(line);
    if (!read.rule) {
      Tell("This is no rule yet: " + read.problem);
      return;
    }
    on_ok_(read);
    Unload();
  } else if (control == c_.cancel) {
    Unload();
  } else if (control == c_.refresh) {
    FillWindows();
    UpdatePreview();
  } else if (control == c_.close || control == c_.press) {
    UpdatePreview();
  }
}

void RuleDialog::OnTextEdited(platform::UiId control) {
  if (control == c_.program || control == c_.class_name || control == c_.title || control == c_.text ||
      control == c_.button) {
    if (control == c_.button && ui_.Value(c_.press) != 1) {
      ui_.SetValue(c_.press, 1);  // a caption typed means the button is to be pressed
      ui_.SetValue(c_.close, 0);
    }
    UpdatePreview();
  }
}

void RuleDialog::OnItemClick(platform::UiId control, std::size_t row) {
  if (control == c_.windows && row >= 1 && row <= windows_.size()) TakeWindow(windows_[row - 1]);
}

void RuleDialog::OnWindowPicked(platform::UiId control, std::uint64_t window) {
  if (control != c_.finder || window == 0 || !read_window_) return;
  const std::optional<engine::OpenWindow> picked = read_window_(window);
  if (!picked) {
    ui_.SetText(c_.preview, "No rule may name that window: it is Quellix's own or the system's");
    return;
  }
  FillWindows();  // the list, and the count, take in a window opened since the dialog was
  TakeWindow(*picked);
}

bool RuleDialog::OnDialogKey(platform::UiId form, platform::DialogKey key) {
  if (form != c_.form) return false;
  OnClick(key == platform::DialogKey::kEnter ? c_.ok : c_.cancel);
  return true;
}

void RuleDialog::OnCloseRequest(platform::UiId /*form*/) {
  Unload();
}

}  // namespace quellix::rules
