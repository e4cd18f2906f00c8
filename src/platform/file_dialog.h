#pragma once
// The common file dialogs: open and save, each modal to an owner window.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/desktop.h"

namespace quellix::platform {

enum class FileDialogKind { kOpen, kSave };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::kOpen;
  WindowId owner = 0;  // the window the dialog is modal to; 0 for none
  // Pairs of description and pattern, each followed by "|": "*.pao|*.pao|". A last
  // description without its pattern is dropped. UTF-8, as the default extension is.
  std::string filter;
  // Added, without its dot, to a name typed without an extension; empty adds nothing.
  std::string default_extension;
  // Characters the chosen path may hold, its terminating NUL included.
  std::size_t path_capacity = 20000;
  // Open: the dialog refuses the name of a file that does not exist.
  bool file_must_exist = true;
  // Save: the dialog asks before an existing file is replaced.
  bool confirm_overwrite = true;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Shows the dialog with an empty file name. The full path chosen (UTF-8, as every path
  // is), or nothing when the user cancels or the dialog cannot be shown. Whatever the
  // request, a chosen path names an existing folder, and the current directory is left as
  // it was.
  virtual std::optional<std::string> Show(const FileDialogRequest& request) = 0;
};

}  // namespace quellix::platform
