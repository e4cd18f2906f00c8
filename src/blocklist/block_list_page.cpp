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
            hooks_.post_command("2");
          },
          hooks_.preview) {}

std::size_t BlockListPage::Selection() {
  // Anything but a position from 1 up reads as none; Has() then finds no entry there.
  const double n = text::LeadingNumber(ui_.Text(controls_.selection));
  return n >= 1 && n < 1e15 ? static_cast<std::size_t>(n) : 0;
}

void BlockListPage::OnItemClick(std::size_t row) {
  const bool allowed = EditingAllowed();
  ui_.SetEnabled(controls_.remove, allowed);
  ui_.SetEnabled(controls_.edit, allowed);
  ui_.SetText(controls_.selection, std::to_string(row));
}

bool BlockListPage::EditingAllowed() const {
  return !hooks_.user_entries_allowed || hooks_.user_entries_allowed();
}

void BlockListPage::ShowEditing() {
  const bool allowed = EditingAllowed();
  ui_.SetEnabled(controls_.add, allowed);
  ui_.SetEnabled(controls_.import_list, allowed);
  const bool selected = allowed && Selection() != 0;
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
  if (ExportBlockList(services_.files, *path, displayed_)) return;
  Tell(std::string(kExportFailed) + "\r\n" +
       SystemReason(services_.files, services_.code_page, "The file could not be written.") +
       "\r\nNo file was written.");
}

void BlockListPage::Import() {
  if (!EditingAllowed()) return;
  const std::optional<std::string> path = AskForFile(platform::FileDialogKind::kOpen);
  if (!path) return;
  const std::size_t before = displayed_.Count();
  std::string problem;
  try {
    problem = ImportBlockList(services_.files, services_.code_page, *path, displayed_);
    if (problem.empty()) {
      // With their figures at once: an entry may have burned under another row of the list.
      for (std::size_t i = before + 1; i <= displayed_.Count(); ++i)
        ui_.ListAdd(controls_.view1, hooks_.row_cells(displayed_.At(i).text), displayed_.At(i).icon);
    }
  } catch (const std::bad_alloc&) {
    // The rows shown so far go again with their entries: an import is whole or nothing.
    while (ui_.ListCount(controls_.view1) > before)
      ui_.ListRemove(controls_.view1, ui_.ListCount(controls_.view1));
    displayed_.KeepFirst(before);
    problem = "There is not enough memory to show its entries.";
  }
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
