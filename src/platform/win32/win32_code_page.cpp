// The system's lower-casing, and its ANSI code page for the stored formats that use it.
#include <windows.h>

#include <algorithm>
#include <climits>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

// Text of the ANSI code page in UTF-16; an ANSI byte never makes more than one unit.
std::wstring WidenAnsi(std::string_view ansi) {
  if (ansi.empty() || ansi.size() > INT_MAX / 2) return {};
  const int length = static_cast<int>(ansi.size());
  std::wstring wide(ansi.size(), L'\0');
  const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), length);
  wide.resize(static_cast<std::size_t>(std::max(units, 0)));
  return wide;
}

}  // namespace

void Win32CodePage::LowerUtf16(std::u16string& units) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  // CharLowerBuffW takes a DWORD count; texts here are titles and entries, far shorter.
  for (std::size_t done = 0; done < units.size();) {
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(units.size() - done, 1u << 30));
    ::CharLowerBuffW(reinterpret_cast<wchar_t*>(units.data() + done), count);
    done += count;
  }
}

std::string Win32CodePage::Utf8FromAnsi(std::string_view ansi) { return Narrow(WidenAnsi(ansi)); }

std::optional<std::string> Win32CodePage::AnsiFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  if (utf8.size() > INT_MAX / 2) return std::nullopt;
  const int length = static_cast<int>(utf8.size());
  const int units = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), units);
  BOOL used_default = FALSE;
  const int bytes =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0, nullptr, &used_default);
  if (bytes <= 0 || used_default) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, ansi.data(), bytes, nullptr,
                        &used_default);
  // The system's word is checked against the text itself: only a form that reads back as the
  // same characters is exact.
  if (used_default || WidenAnsi(ansi) != wide) return std::nullopt;
  return ansi;
}

}  // namespace quellix::win32
