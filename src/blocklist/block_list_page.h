#pragma once
// The block list page's editing (the caption page of the main window): the selection, Add,
// Edit and double-click, Remove, Export and Import. Edits change the
// displayed list only; the file and the active list follow at the next save-and-reload.

#include <functional>
#include <string>
#include <vector>

#include "blocklist/displayed_block_list.h"
#include "blocklist/edit_dialog.h"
#include "platform/platform.h"
#include "platform/ui.h"

namespace quellix::blocklist {

inline constexpr std::string_view kRemoveQuestion = "Are you sure you want to remove this item";
inline constexpr std::string_view kExportFailed = "The block list could not be exported.";
inline constexpr std::string_view kImportFailed = "The list could not be imported.";
// The last cell of a managed entry's row, under the column "Managed".
inline constexpr std::string_view kManagedMark = "Yes";

struct BlockListControls {
  platform::UiId view1 = 0;      // the displayed list
  platform::UiId selection = 0;  // Text1: shows the selected position, in decimal text
  platform::UiId add = 0, edit = 0, remove = 0, export_list = 0, import_list = 0;
};

// What the page asks of the main window.
struct BlockListHooks {
  std::function<void()> save_and_reload;  // the main window's command that stores and reloads the list
  std::function<void()> open_picker;
  std::function<platform::WindowId()> owner;  // the window the file dialogs belong to
  PreviewFn preview;                          // what an entry would burn now
  // The cells of an entry's row in view1: its text, then its figures.
  std::function<std::vector<std::string>(const std::string&)> row_cells;
  // False while a policy keeps the user's own entries from being edited; none means allowed.
  std::function<bool()> user_entries_allowed;
  // The managed list's entries, shown after the user's own.
  std::function<const std::vector<std::string>&()> managed_entries;
};

class BlockListPage {
 public:
  BlockListPage(platform::Ui& ui, platform::Services services, DisplayedBlockList& displayed,
                BlockListControls controls, BlockListHooks hooks);

  // The selected position, 0 for none.
  std::size_t Selection() const { return selected_; }
  // A click on an entry, or the highlight moved onto it by any means: it becomes the selection.
  // Edit and Remove are offered for the user's own entries, not for managed ones.
  void OnItemClick(std::size_t row);
  // Fills view1: the user's own entries, then the managed ones marked as such.
  void ShowAllRows();
  // Adds the rows of the user's own entries from position `first` on, before the managed rows.
  void ShowOwnRowsFrom(std::size_t first);
  // Shows the managed entries as they are now after the user's own.
  void ShowManagedRows();
  // Empties view1.
  void ClearRows();
  // True when row `row` of view1 shows a managed entry.
  bool IsManagedRow(std::size_t row) const;
  void Edit();  // "Edit" and a double-click on view1
  void Remove();
  void Export();
  void Import();
  // Runs the page's reaction to a click on one of its buttons; false when not the page's.
  bool OnClick(platform::UiId control);
  // Enables the editing buttons as the policies allow now: Add and Import, and Edit and
  // Remove once an entry was selected; all four disabled while editing is not allowed.
  void ShowEditing();

  EditDialog& Editor() { return editor_; }

 private:
  std::optional<std::string> AskForFile(platform::FileDialogKind kind);
  // A failure the user is told of, in a box of the product's own.
  void Tell(const std::string& text);
  bool EditingAllowed() const;
  void RemoveManagedRows();

  platform::Ui& ui_;
  platform::Services services_;
  DisplayedBlockList& displayed_;
  BlockListControls controls_;
  BlockListHooks hooks_;
  EditDialog editor_;
  std::size_t managed_rows_ = 0;  // the rows at the end of view1 that show managed entries
  // The selected position, 0 for none; Text1 shows it and is never read back.
  std::size_t selected_ = 0;
};

}  // namespace quellix::blocklist
