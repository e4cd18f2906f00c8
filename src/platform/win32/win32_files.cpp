#include <windows.h>
// after windows.h, whose types they use
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

// Files larger than this are not read into memory at all.
constexpr std::uint64_t kLargestReadable = 512ull << 20;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Reads up to `count` bytes at the file's position; fewer when it ends first.
bool ReadUpTo(HANDLE file, std::string& content, std::size_t count) {
  content.assign(count, '\0');
  std::size_t filled = 0;
  while (filled < count) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - filled, 1u << 20));
    if (!::ReadFile(file, content.data() + filled, chunk, &got, nullptr)) return false;
    if (got == 0) break;  // the file shrank meanwhile
    filled += got;
  }
  content.resize(filled);
  return true;
}

UniqueFile OpenForReading(const std::string& path) {
  return UniqueFile(::CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// How many names (hard links) the file has; 0 when it cannot be asked.
DWORD LinkCount(const std::wstring& path) {
  const UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  return file && ::GetFileInformationByHandle(file.get(), &info) ? info.nNumberOfLinks : 0;
}

// Writes the whole of `source` over the contents of `target`, which keeps its identity and
// so every name it has.
bool CopyContents(const std::wstring& source, const std::wstring& target) {
  const UniqueFile from(::CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  const UniqueFile to(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!from || !to) return false;
  std::string chunk;
  do {
    if (!ReadUpTo(from.get(), chunk, 1u << 20) || !WriteAll(to.get(), chunk)) return false;
  } while (!chunk.empty());
  return ::SetEndOfFile(to.get()) && ::FlushFileBuffers(to.get());
}

// Text the shell allocated for the caller, given back with CoTaskMemFree.
struct ShellTextTraits {
  using Handle = PWSTR;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::CoTaskMemFree(h); }
};
using UniqueShellText = UniqueHandle<ShellTextTraits>;

}  // namespace

bool Win32Files::Fail() {
  last_error_ = ErrorText(::GetLastError());
  return false;
}

std::optional<std::string> Win32Files::ReadFile(const std::string& path) {
  UniqueFile file = OpenForReading(path);
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size)) {
    Fail();
    return std::nullopt;
  }
  if (static_cast<std::uint64_t>(size.QuadPart) > kLargestReadable) {
    last_error_ = ErrorText(ERROR_FILE_TOO_LARGE);
    return std::nullopt;
  }
  std::string content;
  if (!ReadUpTo(file.get(), content, static_cast<std::size_t>(size.QuadPart))) {
    Fail();
    return std::nullopt;
  }
  return content;
}

std::optional<std::string> Win32Files::ReadAt(const std::string& path, std::uint64_t offset,
                                              std::size_t length) {
  UniqueFile file = OpenForReading(path);
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size)) {
    Fail();
    return std::nullopt;
  }
  const auto total = static_cast<std::uint64_t>(size.QuadPart);
  if (offset >= total) return std::string();
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(offset);
  std::string content;
  if (!::SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) ||
      !ReadUpTo(file.get(), content,
                static_cast<std::size_t>(std::min<std::uint64_t>(length, total - offset)))) {
    Fail();
    return std::nullopt;
  }
  return content;
}

std::optional<std::uint64_t> Win32Files::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<platform::FileStamp> Win32Files::Stamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) {
    Fail();
    return std::nullopt;
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    last_error_ = "It is a folder, not a file.";
    return std::nullopt;
  }
  return platform::FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                             (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                 data.ftLastWriteTime.dwLowDateTime};
}

bool Win32Files::WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) {
  UniqueFile file(::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(offset);
  return (file && ::SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) &&
          WriteAll(file.get(), bytes)) ||
         Fail();
}

platform::NewFile Win32Files::WriteNewFile(const std::string& path, std::string_view bytes) {
  UniqueFile file(::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    Fail();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? platform::NewFile::kExists
                                                                       : platform::NewFile::kFailed;
  }
  // Flushed before it may replace another file, so the replacement never holds less.
  if (WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get())) return platform::NewFile::kWritten;
  Fail();
  return platform::NewFile::kFailed;
}

bool Win32Files::ReplaceFile(const std::string& from, const std::string& to) {
  const std::wstring source = Widen(from);
  const std::wstring target = Widen(to);
  // A target with other names (a package manager keeps a user's file as a hard link) gets
  // the new contents in place, so every name keeps them; moving would leave the other
  // names on the old file. The complete copy stays beside it until then, and should the
  // copy in place fail, it is moved over the target after all: a whole file beats a link.
  if (LinkCount(target) > 1 && CopyContents(source, target)) {
    ::DeleteFileW(source.c_str());
    return true;
  }
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return ::MoveFileExW(source.c_str(), target.c_str(), flags) != 0 || Fail();
}

bool Win32Files::ClearFile(const std::string& path) {
  const std::wstring name = Widen(path);
  if (LinkCount(name) > 1) {
    const UniqueFile file(::CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return (file && ::SetEndOfFile(file.get())) || Fail();
  }
  return RemoveFile(path);
}

bool Win32Files::RemoveFile(const std::string& path) {
  if (::DeleteFileW(Widen(path).c_str())) return true;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || Fail();
}

std::vector<platform::FoundFile> Win32Files::FindFiles(const std::string& folder, std::string_view prefix) {
  std::vector<platform::FoundFile> found;
  const std::wstring wanted = Widen(prefix);
  WIN32_FIND_DATAW data{};
  UniqueFind search(::FindFirstFileW((Widen(folder) + L"\\" + wanted + L"*").c_str(), &data));
  if (!search) return found;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    // The pattern also matches short 8.3 names; keep only long names that start as asked.
    const std::wstring_view name(data.cFileName);
    if (name.size() < wanted.size() ||
        ::CompareStringOrdinal(name.data(), static_cast<int>(wanted.size()), wanted.data(),
                               static_cast<int>(wanted.size()), TRUE) != CSTR_EQUAL)
      continue;
    found.push_back({Narrow(name), (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                       data.ftLastWriteTime.dwLowDateTime});
  } while (::FindNextFileW(search.get(), &data));
  return found;
}

bool Win32Files::CreateFolder(const std::string& path) {
  const std::wstring name = Widen(path);
  if (::CreateDirectoryW(name.c_str(), nullptr)) return true;
  const DWORD error = ::GetLastError();
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return true;
  ::SetLastError(error);
  return Fail();
}

std::string Win32Files::LocalAppDataFolder() {
  PWSTR path = nullptr;
  const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path);
  const UniqueShellText text(path);  // given back whether or not the call succeeded
  return SUCCEEDED(result) && text ? Narrow(text.get()) : std::string();
}

std::uint64_t Win32Files::Now() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace quellix::win32
