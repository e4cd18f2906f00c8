#include "blocklist/block_list_page.h"

#include <cmath>
#include <new>

#include "blocklist/block_list_file.h"
#include "product/product.h"
#include "text/text.h"

namespace quellix::blocklist {

namespace {

constexpr char kListFilter[] = "*.pao|*.pao|";
constexpr std::size_t kDialogPathCapacity = 20000;

}  // namespace

BlockListPage::BlockListPage(platform::Ui& ui, platform::Services services, DisplayedBlockList& displayed,
                             BlockListControls controls, BlockListHooks hooks)
    : ui_(ui),
      services_(services),
      displayed_(displayed),
      controls_(controls),
      hooks_(std::move(hooks)),
      editor_(
          ui,
          [this](const std::string& text) {
            // The position is read now, not when the dialog was opened; a position that no
            // longer holds an entry stores nothing, and the list is saved and reloaded anyway.
            const std::size_t at = Selection();
            if (EditingAllowed() && displayed_.Has(at)) {
              displayed_.SetText(at, text);
              ui_.ListSetText(controls_.view1, at, text);
            }
            hooks_.save_and_reload();
          },
          hooks_.preview) {}

void BlockListPage::OnItemClick(std::size_t row) {
  const bool own = EditingAllowed() && !IsManagedRow(row);
  ui_.SetEnabled(controls_.remove, own);
  ui_.SetEnabled(controls_.edit, own);
  selected_ = row;
  ui_.SetText(controls_.selection, std::to_string(row));
}

bool BlockListPage::IsManagedRow(std::size_t row) const {
  return row > displayed_.Count() && row <= displayed_.Count() + managed_rows_;
}

void BlockListPage::ClearRows() {
  ui_.ListClear(controls_.view1);
  managed_rows_ = 0;
}

void BlockListPage::ShowAllRows() {
  ClearRows();
  ShowOwnRowsFrom(1);
}

void BlockListPage::ShowOwnRowsFrom(std::size_t first) {
  RemoveManagedRows();
  for (std::size_t i = first; i <= displayed_.Count(); ++i)
    ui_.ListAdd(controls_.view1, hooks_.row_cells(displayed_.At(i).text), displayed_.At(i).icon);
  ShowManagedRows();
}

void BlockListPage::RemoveManagedRows() {
  for (; managed_rows_ > 0 && ui_.ListCount(controls_.view1) > 0; --managed_rows_)
    ui_.ListRemove(controls_.view1, ui_.ListCount(controls_.view1));
  managed_rows_ = 0;
}

void BlockListPage::ShowManagedRows() {
  RemoveManagedRows();
  if (!hooks_.managed_entries) return;
  try {
    for (const std::string& entry : hooks_.managed_entries()) {
      std::vector<std::string> cells = hooks_.row_cells(entry);
      cells.resize(3);
      cells.emplace_back(kManagedMark);
      ui_.ListAdd(controls_.view1, cells, std::string(kEntryIcon));
      ++managed_rows_;
    }
  } catch (const std::bad_alloc&) {
    // The managed rows shown so far stay; they burn all the same.
  }
}

bool BlockListPage::EditingAllowed() const {
  return !hooks_.user_entries_allowed || hooks_.user_entries_allowed();
}

void BlockListPage::ShowEditing() {
  const bool allowed = EditingAllowed();
  ui_.SetEnabled(controls_.add, allowed);
  ui_.SetEnabled(controls_.import_list, allowed);
  const bool selected = allowed && Selection() != 0 && !IsManagedRow(Selection());
  ui_.SetEnabled(controls_.edit, selected);
  ui_.SetEnabled(controls_.remove, selected);
}

void BlockListPage::Edit() {
  if (!EditingAllowed()) return;
  const std::size_t at = Selection();
  if (!displayed_.Has(at)) return;  // the dialog is never filled from an entry that does not exist
  editor_.Open(displayed_.At(at).text);
}

void BlockListPage::Remove() {
  if (!EditingAllowed()) return;
  if (IsManagedRow(Selection())) return;  // the organisation's entries are not the user's to remove
  const auto answer =
      services_.messages.Show(std::string(kRemoveQuestion), std::string(product::kAppTitle),
                              platform::MessageIcon::kInformation, platform::MessageButtons::kYesNo);
  if (answer != platform::MessageAnswer::kYes || !EditingAllowed()) return;
  const std::size_t at = Selection();
  if (!displayed_.Has(at)) return;
  displayed_.Remove(at);
  ui_.ListRemove(controls_.view1, at);
}

std::optional<std::string> BlockListPage::AskForFile(platform::FileDialogKind kind) {
  platform::FileDialogRequest request;
  request.kind = kind;
  request.owner = hooks_.owner();
  request.filter = kListFilter;  // no default extension: a name is used as typed
  request.path_capacity = kDialogPathCapacity;
  std::optional<std::string> path = services_.file_dialogs.Show(request);
  if (path && path->empty()) path.reset();
  return path;
}

void BlockListPage::Export() {
  const std::optional<std::string> path = AskForFile(platform::FileDialogKind::kSave);
  if (!path) return;
  const product::WriteOutcome exported = ExportBlockList(services_.files, services_.code_page, *path, displayed_);
  if (exported) return;
  Tell(std::string(kExportFailed) + "\r\n" + exported.reason + "\r\nNo file was written.");
}

void BlockListPage::Import() {
  if (!EditingAllowed()) return;
  const std::optional<std::string> path = AskForFile(platform::FileDialogKind::kOpen);
  if (!path) return;
  const std::size_t before = displayed_.Count();
  std::string problem;
  try {
    problem = ImportBlockList(services_.files, services_.code_page, *path, displayed_);
    // With their figures at once: an entry may have burned under another row of the list.
    if (problem.empty()) ShowOwnRowsFrom(before + 1);
  } catch (const std::bad_alloc&) {
    // The rows shown so far go again with their entries: an import is whole or nothing.
    RemoveManagedRows();
    while (ui_.ListCount(controls_.view1) > before)
      ui_.ListRemove(controls_.view1, ui_.ListCount(controls_.view1));
    displayed_.KeepFirst(before);
    problem = "There is not enough memory to show its entries.";
  }
  if (managed_rows_ == 0) ShowManagedRows();
  if (!problem.empty()) Tell(std::string(kImportFailed) + "\r\n" + problem + "\r\nNothing was imported.");
}

void BlockListPage::Tell(const std::string& text) {
  services_.messages.Show(text, std::string(product::kAppTitle), platform::MessageIcon::kStop,
                          platform::MessageButtons::kOk);
}

bool BlockListPage::OnClick(platform::UiId control) {
  if (control == controls_.add) {
    if (EditingAllowed()) hooks_.open_picker();
  } else if (control == controls_.edit) {
    Edit();
  } else if (control == controls_.remove) {
    Remove();
  } else if (control == controls_.export_list) {
    Export();
  } else if (control == controls_.import_list) {
    Import();
  } else {
    return false;
  }
  return true;
}

}  // namespace quellix::blocklist
