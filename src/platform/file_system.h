#pragma once
// Product files in the program folder and the user's data folder. Every call opens, uses and
// closes its file.
// Paths are UTF-8 with backslash separators, so a folder named in any language works; the
// contents of files are bytes, never converted.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellix::platform {

// A file found in a folder: its name without the folder, and when it last changed, in
// 100-nanosecond ticks on the same scale as FileSystem::Now.
struct FoundFile {
  std::string name;
  std::uint64_t modified = 0;
};

// A file's size and when it last changed (FoundFile::modified's scale): enough to tell
// whether it changed since it was last read without reading it.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t modified = 0;
  bool operator==(const FileStamp&) const = default;
};

enum class NewFile { kWritten, kExists, kFailed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The whole file, or nothing when it cannot be opened or read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // At most `length` bytes from `offset`, fewer at the end of the file (none past it), or
  // nothing when the file cannot be opened or read.
  virtual std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset, std::size_t length) = 0;
  // The length in bytes, or nothing when the file does not exist.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // The file's stamp, in one request for its attributes, or nothing when it cannot be
  // reached (missing, a folder, or a share that does not answer).
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
  // Writes `bytes` at `offset`, creating the file when missing and keeping the rest.
  virtual bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) = 0;
  // Creates the file and writes `bytes`. kExists, touching nothing, when a file of that name
  // exists already; kFailed when it could not be created or written (part of it may be).
  virtual NewFile WriteNewFile(const std::string& path, std::string_view bytes) = 0;
  // Moves `from` over `to`, replacing `to` in one step when it exists. A `to` that has other
  // names (hard links) keeps them: it gets the contents of `from` in place, which then goes.
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  // Deletes the file; true also when it did not exist.
  virtual bool RemoveFile(const std::string& path) = 0;
  // Deletes the file, or empties it when it has other names (hard links), which keep it;
  // true also when it did not exist.
  virtual bool ClearFile(const std::string& path) = 0;
  // The files of `folder` whose names start with `prefix`, compared without regard to case.
  virtual std::vector<FoundFile> FindFiles(const std::string& folder, std::string_view prefix) = 0;
  // Creates the folder when it is missing; true also when it exists. Its parent must exist.
  virtual bool CreateFolder(const std::string& path) = 0;
  // The current user's own folder for local application data (%LOCALAPPDATA%), or empty when
  // the system names none.
  virtual std::string LocalAppDataFolder() = 0;
  // The time now, on the scale of FoundFile::modified.
  virtual std::uint64_t Now() = 0;
  // Why the last call of this object that failed did so, in the system's words ("Access is
  // denied."); empty when none has failed.
  virtual std::string LastError() = 0;
};

}  // namespace quellix::platform
