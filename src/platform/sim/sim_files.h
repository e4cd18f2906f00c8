#pragma once
// In-memory files with case-insensitive paths, locked files, protected folders, a write
// budget that models a process killed (or a disk filling up) after a given number of bytes,
// and a clock of its own that stamps each change. A folder exists when it was made, holds a
// file or is a drive; files may be put anywhere.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quellix::sim {

class SimFiles : public platform::FileSystem {
 public:
  void Put(const std::string& path, std::string bytes);
  std::optional<std::string> Get(const std::string& path) const;
  bool Exists(const std::string& path) const { return Get(path).has_value(); }
  std::size_t FileCount() const { return files_.size(); }
  // A locked file can be neither read nor written, replaced nor removed.
  void Lock(const std::string& path);
  void Unlock(const std::string& path) { locked_.erase(Key(path)); }
  // From now on at most `bytes` more bytes are written; the write that crosses the limit
  // is cut there and fails, and every later change fails. Nothing lifts the limit.
  void SetWriteBudget(std::uint64_t bytes) { budget_ = bytes; }
  // Every later change is stamped with this time; Now() gives it too.
  void SetNow(std::uint64_t ticks) { now_ = ticks; }
  void SetModified(const std::string& path, std::uint64_t ticks) { modified_[Key(path)] = ticks; }
  // How many times files were read (ReadFile and ReadAt) and stamped, for tests that count
  // what a check costs.
  std::size_t Reads() const { return reads_; }
  std::size_t StampRequests() const { return stamp_requests_; }
  // The system's reason that failing calls give from now on.
  void SetErrorText(std::string text) { error_text_ = std::move(text); }
  // Nothing can be made, written, replaced or removed directly in a protected folder, as in
  // a folder the user may only read; its files can still be read.
  void ProtectFolder(const std::string& folder) { protected_.insert(Key(folder)); }
  void AddFolder(const std::string& folder) { folders_.insert(Key(folder)); }
  bool FolderExists(const std::string& folder) const;
  // The folder LocalAppDataFolder names (it need not exist); empty for none.
  void SetLocalAppData(std::string folder) { local_app_data_ = std::move(folder); }

  std::optional<std::string> ReadFile(const std::string& path) override;
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t length) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  // A locked file is stamped all the same: its attributes stay readable.
  std::optional<platform::FileStamp> Stamp(const std::string& path) override;
  bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) override;
  platform::NewFile WriteNewFile(const std::string& path, std::string_view bytes) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  // Simulated files have one name each, so clearing deletes.
  bool ClearFile(const std::string& path) override { return RemoveFile(path); }
  std::vector<platform::FoundFile> FindFiles(const std::string& folder, std::string_view prefix) override;
  bool CreateFolder(const std::string& path) override;
  std::string LocalAppDataFolder() override { return local_app_data_; }
  std::uint64_t Now() override { return now_; }
  std::string LastError() override { return last_error_; }

 private:
  static std::string Key(const std::string& path);
  bool Locked(const std::string& path) const { return locked_.count(Key(path)) != 0; }
  // Whether the folder holding `path` is protected.
  bool InProtectedFolder(const std::string& path) const;
  // How much of `wanted` bytes may still be written; marks the budget spent when cut.
  std::size_t Allow(std::size_t wanted);
  // Records a failure's reason and returns false.
  bool Fail();

  // Keyed by the lower-case path; a file's name is the part after its last backslash.

  std::map<std::string, std::string> files_;
  std::set<std::string> locked_;
  std::set<std::string> protected_;
  std::string local_app_data_ = "C:\\Users\\user\\AppData\\Local";
  std::set<std::string> folders_{Key(local_app_data_)};
  std::optional<std::uint64_t> budget_;
  bool spent_ = false;
  std::map<std::string, std::uint64_t> modified_;
  std::uint64_t now_ = 0;
  std::string error_text_ = "Access is denied.";
  std::string last_error_;
  std::size_t reads_ = 0;
  std::size_t stamp_requests_ = 0;
};

}  // namespace quellix::sim
