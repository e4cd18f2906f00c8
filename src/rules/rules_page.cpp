#include "rules/rules_page.h"

#include "product/file_safety.h"
#include "product/product.h"

namespace quellix::rules {
namespace {

using platform::ControlKind;

constexpr std::size_t kDialogPathCapacity = 20000;

// The fields of a line that is no rule, as far as its tabs tell them, for editing it.
Rule FieldsOf(const RuleLine& line) {
  if (line.rule) return *line.rule;
  Rule rule;
  std::string* fields[] = {&rule.program, &rule.class_name, &rule.title, &rule.text};
  std::size_t start = 0;
  for (std::string* field : fields) {
    const std::size_t tab = line.line.find('\t', start);
    *field = line.line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    if (tab == std::string::npos) return rule;
    start = tab + 1;
  }
  return rule;
}

}  // namespace

RulesPage::RulesPage(platform::Ui& ui, platform::Services services, RuleBook& book, platform::UiId form,
                     platform::UiId frame, RulesPageHooks hooks)
    : ui_(ui),
      services_(services),
      book_(book),
      hooks_(std::move(hooks)),
      frame_(frame),
      dialog_(ui, services, hooks_.open_windows, hooks_.read_window, [this](const RuleLine& line) {
        if (!EditingAllowed()) return;  // a policy that came into force meanwhile
        RuleList list = book_.List();
        if (editing_ != 0 && editing_ <= list.Count()) {
          list.Replace(editing_, line);
        } else {
          list.Add(line);
        }
        Store(list);
      }) {
  struct BarButton {
    const char* name;
    const char* caption;
    platform::UiId* id;
  };
  const BarButton bar[] = {{"drawnButton31", "Add", &bar_.add},
                           {"drawnButton32", "Edit", &bar_.edit},
                           {"drawnButton33", "Remove", &bar_.remove},
                           {"drawnButton34", "Export", &bar_.export_rules},
                           {"drawnButton35", "Import", &bar_.import_rules}};
  for (int i = 0; i < 5; ++i) {
    platform::ControlSpec button{ControlKind::kButton, bar[i].name, bar[i].caption, {60 + i * 1185, 60, 1110, 380}};
    button.container = frame_;
    *bar[i].id = ui_.CreateControl(form, button);
  }
  platform::ControlSpec list{ControlKind::kListView, "view4", "", {0, 540, 5985, 3480}};
  list.container = frame_;
  list.columns = {"Program", "Class", "Title", "Text", "Action", "Acted", "Last acted", "Managed"};
  list.column_widths = {1200, 800, 1100, 900, 1000, 600, 1600, 700};
  list_ = ui_.CreateControl(form, list);
  platform::ControlSpec note{ControlKind::kLabel, "lblRulesNote", "", {0, 4080, 5985, 300}};
  note.container = frame_;
  note_ = ui_.CreateControl(form, note);
}

std::vector<std::string> RulesPage::Cells(const RuleLine& line, bool managed) const {
  const engine::RuleState& state = hooks_.state();
  if (!line.rule) return {line.line, "", "", "", "(no rule) " + line.problem, "", "", managed ? "Yes" : ""};
  const Rule& r = *line.rule;
  const engine::EntryFigures f = state.figures.Of(line.line);
  return {r.program, r.class_name, r.title, r.text, ActionText(r.action),
          f.burned == 0 ? "" : std::to_string(f.burned), f.last, managed ? "Yes" : ""};
}

void RulesPage::Show() {
  ui_.ListClear(list_);
  const RuleList& list = book_.List();
  for (std::size_t i = 1; i <= list.Count(); ++i) ui_.ListAdd(list_, Cells(list.At(i), false), "");
  for (const Rule& rule : book_.Managed())
    ui_.ListAdd(list_, Cells(ReadRuleLine(RuleLineText(rule)), true), "");
  const bool allowed = EditingAllowed();
  ui_.SetEnabled(bar_.add, allowed);
  ui_.SetEnabled(bar_.import_rules, allowed);
  ui_.SetEnabled(bar_.edit, allowed && IsOwnRow(selected_));
  ui_.SetEnabled(bar_.remove, allowed && IsOwnRow(selected_));
  std::string note;
  if (!book_.Problem().empty()) {
    note = "popcfg.rules could not be read: " + book_.Problem() + " It is kept as it is.";
  } else if (!allowed || !hooks_.state().enabled) {
    note = std::string(kManagedNote);
  }
  ui_.SetText(note_, note);
}

bool RulesPage::OnItemClick(platform::UiId control, std::size_t row) {
  if (control != list_) return false;
  selected_ = row;
  ui_.SetEnabled(bar_.edit, EditingAllowed() && IsOwnRow(row));
  ui_.SetEnabled(bar_.remove, EditingAllowed() && IsOwnRow(row));
  return true;
}

bool RulesPage::OnDoubleClick(platform::UiId control) {
  if (control != list_) return false;
  Edit();
  return true;
}

bool RulesPage::OnClick(platform::UiId control) {
  if (control == bar_.add) {
    if (!EditingAllowed()) return true;
    editing_ = 0;
    dialog_.Open({});
  } else if (control == bar_.edit) {
    Edit();
  } else if (control == bar_.remove) {
    Remove();
  } else if (control == bar_.export_rules) {
    Export();
  } else if (control == bar_.import_rules) {
    Import();
  } else {
    return false;
  }
  return true;
}

void RulesPage::Edit() {
  if (!EditingAllowed() || !IsOwnRow(selected_)) return;  // the organisation's rules are not the user's
  editing_ = selected_;
  dialog_.Open(FieldsOf(book_.List().At(selected_)));
}

void RulesPage::Remove() {
  if (!EditingAllowed() || !IsOwnRow(selected_)) return;
  if (services_.messages.Show(std::string(kRemoveRuleQuestion), std::string(product::kAppTitle),
                              platform::MessageIcon::kNone,
                              platform::MessageButtons::kYesNo) != platform::MessageAnswer::kYes)
    return;
  RuleList list = book_.List();
  list.Remove(selected_);
  selected_ = 0;
  Store(list);
}

void RulesPage::Store(const RuleList& list) {
  const product::WriteOutcome stored = book_.Store(list, hooks_.state());
  if (!stored)
    Tell(std::string(kRulesNotSaved) + "\r\n" + stored.reason + "\r\nThe file was not changed.");
  Show();
}

void RulesPage::Export() {
  platform::FileDialogRequest request{platform::FileDialogKind::kSave, hooks_.owner(), std::string(kRulesFilter),
                                      "rules", kDialogPathCapacity};
  const std::optional<std::string> path = services_.file_dialogs.Show(request);
  if (!path) return;
  const product::WriteOutcome written = StoreRulesFile(services_.files, *path, book_.List());
  if (!written) Tell("The rules could not be exported.\r\n" + written.reason + "\r\nNo file was written.");
}

void RulesPage::Import() {
  if (!EditingAllowed()) return;
  platform::FileDialogRequest request{platform::FileDialogKind::kOpen, hooks_.owner(), std::string(kRulesFilter),
                                      "", kDialogPathCapacity};
  const std::optional<std::string> path = services_.file_dialogs.Show(request);
  if (!path) return;
  const RulesRead read = ReadRulesFile(services_.files, *path);
  if (read.outcome != RulesRead::Outcome::kRead) {
    Tell("The rules could not be imported.\r\n" +
         (read.outcome == RulesRead::Outcome::kMissing ? std::string("The file was not found.") : read.problem) +
         "\r\nNothing was imported.");
    return;
  }
  RuleList list = book_.List();
  for (std::size_t i = 1; i <= read.list.Count(); ++i) list.Add(read.list.At(i));
  Store(list);
}

void RulesPage::Tell(const std::string& text) {
  services_.messages.Show(text, std::string(product::kAppTitle), platform::MessageIcon::kStop,
                          platform::MessageButtons::kOk);
}

}  // namespace quellix::rules
