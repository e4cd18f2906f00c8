#include "platform/win32/wide_text.h"

#include <algorithm>
#include <climits>

namespace quellix::win32 {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int size = static_cast<int>(utf8.size());
  const int count = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  if (count <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), count);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX / 3) return {};
  // Class names and most titles are ASCII: the burn cycle reads hundreds a tick.
  if (std::all_of(wide.begin(), wide.end(), [](wchar_t c) { return c < 0x80; }))
    return std::string(wide.begin(), wide.end());
  const int size = static_cast<int>(wide.size());
  const int count = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string utf8(static_cast<std::size_t>(count), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), count, nullptr, nullptr);
  return utf8;
}

std::size_t CopyUnits(std::wstring_view text, wchar_t* buffer, std::size_t capacity) {
  if (capacity == 0 || buffer == nullptr) return 0;
  std::size_t units = std::min(text.size(), capacity - 1);
  // A high surrogate whose low half does not fit goes with it.
  if (units < text.size() && units > 0 && IS_HIGH_SURROGATE(text[units - 1])) --units;
  std::copy_n(text.data(), units, buffer);
  buffer[units] = L'\0';
  return units;
}

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  // The length may be larger than the text, never smaller.
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return Narrow(text);
}

std::string ErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
    text.pop_back();
  return text.empty() ? "error " + std::to_string(code) : Narrow(text);
}

}  // namespace quellix::win32
