#pragma once
// In-memory files with case-insensitive paths, locked files, and a write budget that
// models a process killed (or a disk filling up) after a given number of bytes.

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace quellix::sim {

class SimFiles final : public platform::FileSystem {
 public:
  void Put(const std::string& path, std::string bytes);
  std::optional<std::string> Get(const std::string& path) const;
  bool Exists(const std::string& path) const { return Get(path).has_value(); }
  std::size_t FileCount() const { return files_.size(); }
  // A locked file can be neither read nor written, replaced nor removed.
  void Lock(const std::string& path);
  // From now on at most `bytes` more bytes are written; the write that crosses the limit
  // is cut there and fails, and every later change fails. Nothing lifts the limit.
  void SetWriteBudget(std::uint64_t bytes) { budget_ = bytes; }

  std::optional<std::string> ReadFile(const std::string& path) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) override;
  bool WriteNewFile(const std::string& path, std::string_view bytes) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;

 private:
  static std::string Key(const std::string& path);
  bool Locked(const std::string& path) const { return locked_.count(Key(path)) != 0; }
  // How much of `wanted` bytes may still be written; marks the budget spent when cut.
  std::size_t Allow(std::size_t wanted);

  std::map<std::string, std::string> files_;
  std::set<std::string> locked_;
  std::optional<std::uint64_t> budget_;
  bool spent_ = false;
};

}  // namespace quellix::sim
