#include "product/file_safety.h"

#include "text/text.h"

namespace quellix::product {
namespace {

constexpr int kTemporaryNameTries = 100;

// True for "<target>.~N.tmp" with N from 1 to kTemporaryNameTries, written without leading zeros.
bool IsOwnTemporaryName(std::string_view name, std::string_view target) {
  const std::string lower = text::LowerCase(name);
  const std::string start = text::LowerCase(target) + ".~";
  if (!lower.starts_with(start) || !lower.ends_with(".tmp")) return false;
  const std::string_view number = std::string_view(lower).substr(
      start.size(), lower.size() - start.size() - std::string_view(".tmp").size());
  if (number.empty() || number.size() > 3 || number.front() == '0' ||
      number.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  return std::stoi(std::string(number)) <= kTemporaryNameTries;
}

// The system's reason for the step that just failed, before anything else can change it.
WriteOutcome Failed(platform::FileSystem& files, std::string_view otherwise) {
  std::string reason = files.LastError();
  return {false, reason.empty() ? std::string(otherwise) : std::move(reason)};
}

}  // namespace

void RemoveStaleTemporaries(platform::FileSystem& files, const std::string& folder,
                            std::string_view target_name, std::uint64_t older_than) {
  for (const platform::FoundFile& found : files.FindFiles(folder, std::string(target_name) + ".~")) {
    if (found.modified < older_than && IsOwnTemporaryName(found.name, target_name))
      files.RemoveFile(folder + "\\" + found.name);
  }
}

WriteOutcome ReplaceFileContents(platform::FileSystem& files, const std::string& path, std::string_view bytes) {
  for (int n = 1; n <= kTemporaryNameTries; ++n) {
    const std::string temporary = path + ".~" + std::to_string(n) + ".tmp";
    if (files.FileSize(temporary)) continue;
    const platform::NewFile made = files.WriteNewFile(temporary, bytes);
    if (made == platform::NewFile::kExists) continue;  // another writer took the name meanwhile
    if (made == platform::NewFile::kFailed) {
      WriteOutcome failed = Failed(files, "The file could not be written.");
      files.RemoveFile(temporary);
      return failed;
    }
    if (files.ReplaceFile(temporary, path)) return {true, {}};
    WriteOutcome failed = Failed(files, "The file could not be replaced.");
    files.RemoveFile(temporary);
    return failed;
  }
  return {false, "No free name for a temporary file was left beside it."};
}

}  // namespace quellix::product
