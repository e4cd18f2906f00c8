// Titles and list entries in the system's ANSI code page, lower-cased into UTF-8.
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

}  // namespace quellix::win32
