#pragma once
// Writing the program's files so that nothing the user owns is ever half written: a file is
// written beside itself and moved over the old one only once it is complete, and the
// temporary files a crash left behind are cleared at the next start.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quellix::product {

// What a write came to: done, or why not.
struct WriteOutcome {
  bool written = false;
  std::string reason;  // when not written: the system's reason, taken when the step failed
  explicit operator bool() const { return written; }
};

// Writes `bytes` to a temporary file "<path>.~N.tmp" (the first free N from 1 to 100) and
// moves it over `path` only when it is complete, so the old file stays whole whatever
// happens meanwhile. Files of other names, "<path>.tmp" included, are never touched.
WriteOutcome ReplaceFileContents(platform::FileSystem& files, const std::string& path, std::string_view bytes);

// Removes the temporary files "<target>.~N.tmp" (N from 1 to 100, as ReplaceFileContents
// names them) of `target_name` in `folder` that last changed before `older_than`: those a
// crash left behind. Files of any other name are never touched.
void RemoveStaleTemporaries(platform::FileSystem& files, const std::string& folder,
                            std::string_view target_name, std::uint64_t older_than);

}  // namespace quellix::product
