#pragma once
// Product files in the application folder. Every call opens, uses and closes its file.
// Paths are ANSI bytes with backslash separators.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellix::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The whole file, or nothing when it cannot be opened or read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // The length in bytes, or nothing when the file does not exist.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Writes `bytes` at `offset`, creating the file when missing and keeping the rest.
  virtual bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) = 0;
  // Creates the file and writes `bytes`. Fails, touching nothing, when the file exists
  // already; on a later failure part of it may be written.
  virtual bool WriteNewFile(const std::string& path, std::string_view bytes) = 0;
  // Moves `from` over `to`, replacing `to` in one step when it exists.
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  // Deletes the file; true also when it did not exist.
  virtual bool RemoveFile(const std::string& path) = 0;
};

}  // namespace quellix::platform
