#include "product/data_folder.h"

#include <optional>

#include "blocklist/block_list_file.h"

namespace quellix::product {
namespace {

std::string InFolder(const std::string& folder, std::string_view name) {
  return folder + "\\" + std::string(name);
}

bool TakesNewFiles(platform::FileSystem& files, const std::string& folder) {
  const std::string probe = InFolder(folder, kWriteProbe);
  platform::NewFile made = files.WriteNewFile(probe, "");
  if (made == platform::NewFile::kExists) {  // left by a start that ended half-way
    files.RemoveFile(probe);
    made = files.WriteNewFile(probe, "");
  }
  if (made != platform::NewFile::kWritten) return false;
  files.RemoveFile(probe);
  return true;
}

// The user's folder, made level by level; empty when it cannot be had.
std::string MakeUserFolder(platform::FileSystem& files) {
  std::string local = files.LocalAppDataFolder();
  while (!local.empty() && local.back() == '\\') local.pop_back();
  if (local.empty()) return {};
  const std::string maker = InFolder(local, kMakerFolder);
  const std::string data = InFolder(maker, kProductFolder);
  if (!files.CreateFolder(maker) || !files.CreateFolder(data)) return {};
  return data;
}

void CopyShippedList(platform::FileSystem& files, const std::string& program_folder,
                     const std::string& data) {
  const std::string target = blocklist::BlockListPath(data);
  if (files.FileSize(target)) return;  // the user's own list
  const std::optional<std::string> shipped = files.ReadFile(blocklist::BlockListPath(program_folder));
  if (!shipped) return;
  // A copy cut short is no list to start from: it goes, and the next start copies again.
  if (files.WriteNewFile(target, *shipped) == platform::NewFile::kFailed) files.RemoveFile(target);
}

}  // namespace

std::string PrepareDataFolder(platform::FileSystem& files, const std::string& program_folder) {
  const bool machine_wide = files.FileSize(InFolder(program_folder, kMachineWideMarker)).has_value();
  if (!machine_wide && TakesNewFiles(files, program_folder)) return program_folder;
  const std::string data = MakeUserFolder(files);
  if (data.empty()) return program_folder;
  CopyShippedList(files, program_folder, data);
  return data;
}

}  // namespace quellix::product
