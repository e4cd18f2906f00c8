#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

// Files larger than this are not read into memory at all.
constexpr std::uint64_t kLargestReadable = 512ull << 20;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::optional<std::string> Win32Files::ReadFile(const std::string& path) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > kLargestReadable)
    return std::nullopt;
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t filled = 0;
  while (filled < content.size()) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - filled, 1u << 20));
    if (!::ReadFile(file.get(), content.data() + filled, chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) break;  // the file shrank meanwhile
    filled += got;
  }
  content.resize(filled);
  return content;
}

std::optional<std::uint64_t> Win32Files::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32Files::WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(offset);
  return file && ::SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) && WriteAll(file.get(), bytes);
}

bool Win32Files::WriteNewFile(const std::string& path, std::string_view bytes) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  // Flushed before it may replace another file, so the replacement never holds less.
  return file && WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
}

bool Win32Files::ReplaceFile(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Files::RemoveFile(const std::string& path) {
  if (::DeleteFileA(path.c_str())) return true;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace quellix::win32
