// Titles and list entries in the system's ANSI code page: lower-cased into UTF-8, and
// list files in UTF-8 or UTF-16 brought into it.
#include <windows.h>

#include <algorithm>
#include <climits>

#include "platform/win32/win32_services.h"

namespace quellix::win32 {

void Win32CodePage::LowerUtf8(std::string_view ansi, std::string& utf8) {
  utf8.clear();
  // Texts here are window titles and list entries; one longer than the calls take is cut.
  const int length = static_cast<int>(std::min<std::size_t>(ansi.size(), INT_MAX / 3));
  if (length == 0) return;
  // An ANSI byte never makes more than one UTF-16 unit, nor a unit more than three UTF-8 bytes.
  wide_.resize(static_cast<std::size_t>(length));
  const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide_.data(), length);
  if (units <= 0) return;
  ::CharLowerBuffW(wide_.data(), static_cast<DWORD>(units));
  utf8.resize(static_cast<std::size_t>(units) * 3);
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, wide_.data(), units, utf8.data(), units * 3, nullptr, nullptr);
  utf8.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
}

namespace {

// UTF-16 as ANSI text; characters the code page lacks become '?' rather than a look-alike
// (a full-width quote must not turn into a quote).
std::string AnsiOf(const wchar_t* units, std::size_t count) {
  if (count == 0) return {};
  if (count > INT_MAX / 2) return std::string(count, '?');
  const int length = static_cast<int>(count);
  const int bytes =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, length, nullptr, 0, "?", nullptr);
  if (bytes <= 0) return std::string(count, '?');
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, length, ansi.data(), bytes, "?", nullptr);
  return ansi;
}

}  // namespace

std::optional<std::string> Win32CodePage::AnsiFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  if (utf8.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(utf8.size());
  const int units = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), units);
  return AnsiOf(wide.data(), wide.size());
}

std::string Win32CodePage::AnsiFromUtf16(std::u16string_view utf16) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return AnsiOf(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size());
}

}  // namespace quellix::win32
