#pragma once
// The rules page of the main window: the user's rules for other programs' windows and the
// organisation's after them, each with its figures; Add, Edit and double-click, Remove,
// Export and Import. Every change is stored at once.

#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/ui.h"
#include "rules/rule_book.h"
#include "rules/rule_dialog.h"

namespace quellix::rules {

inline constexpr std::string_view kRemoveRuleQuestion = "Are you sure you want to remove this rule";
inline constexpr std::string_view kRulesNotSaved = "The rules could not be saved to popcfg.rules.";
inline constexpr std::string_view kManagedNote = "Some settings are managed by your organization.";
inline constexpr std::string_view kRulesFilter = "Rules (*.rules)|*.rules|";

// What the page asks of the main window.
struct RulesPageHooks {
  std::function<platform::WindowId()> owner;  // the window the dialogs belong to
  std::function<std::vector<engine::OpenWindow>()> open_windows;
  // One window as the list gives it, for the crosshair.
  std::function<std::optional<engine::OpenWindow>(platform::WindowId)> read_window;
  std::function<engine::RuleState&()> state;
};

class RulesPage {
 public:
  // The page's controls are made in `frame` on `form`.
  RulesPage(platform::Ui& ui, platform::Services services, RuleBook& book, platform::UiId form, platform::UiId frame,
            RulesPageHooks hooks);

  platform::UiId Frame() const { return frame_; }
  platform::UiId List() const { return list_; }
  RuleDialog& Dialog() { return dialog_; }
  struct Buttons {
    platform::UiId add = 0, edit = 0, remove = 0, export_rules = 0, import_rules = 0;
  };
  const Buttons& Bar() const { return bar_; }
  platform::UiId Note() const { return note_; }

  // Fills the list and the note from the book as it is now.
  void Show();
  // True when the click was the page's.
  bool OnClick(platform::UiId control);
  bool OnDoubleClick(platform::UiId control);
  bool OnItemClick(platform::UiId control, std::size_t row);

 private:
  bool EditingAllowed() const { return book_.OwnAllowed(); }
  bool IsOwnRow(std::size_t row) const { return row >= 1 && row <= book_.List().Count(); }
  void Edit();
  void Remove();
  void Export();
  void Import();
  // Stores `list` (saying why when it could not) and shows what is stored.
  void Store(const RuleList& list);
  void Tell(const std::string& text);
  std::vector<std::string> Cells(const RuleLine& line, bool managed) const;

  platform::Ui& ui_;
  platform::Services services_;
  RuleBook& book_;
  RulesPageHooks hooks_;
  platform::UiId frame_ = 0, list_ = 0, note_ = 0;
  Buttons bar_;
  std::size_t selected_ = 0;
  RuleDialog dialog_;
  std::size_t editing_ = 0;  // the row the dialog edits, 0 for a new rule
};

}  // namespace quellix::rules
