#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

HWND ToHwnd(platform::WindowId window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
platform::WindowId ToId(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

// The longest path the system hands out, in characters with its NUL.
constexpr std::size_t kLongPathCapacity = 32768;
// Buffers up to this many units are taken as they are asked for.
constexpr std::size_t kTitleRead = 256;

}  // namespace

platform::WindowId Win32Desktop::FirstWindow(platform::WindowId anchor) {
  return ToId(::GetWindow(ToHwnd(anchor), GW_HWNDFIRST));
}

platform::WindowId Win32Desktop::NextWindow(platform::WindowId window) {
  return ToId(::GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

std::string Win32Desktop::ClassName(platform::WindowId window, std::size_t capacity) {
  if (capacity == 0) return {};
  capacity = std::min<std::size_t>(capacity, kTitleRead);  // no class name is longer than 256
  std::array<wchar_t, kTitleRead> buffer{};
  const int copied = ::GetClassNameW(ToHwnd(window), buffer.data(), static_cast<int>(capacity));
  return copied > 0 ? Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied))) : std::string();
}

std::string Win32Desktop::Text(platform::WindowId window, std::size_t count) {
  if (count == 0) return {};
  // A large buffer need not be larger than the caption: a caller asking for a whole caption
  // costs no more than the caption is long. (The length is never smaller than the text.)
  if (count > kTitleRead) {
    const int length = ::GetWindowTextLengthW(ToHwnd(window));
    count = std::min<std::size_t>({count, static_cast<std::size_t>(std::max(length, 0)) + 1, kLongPathCapacity});
  }
  // A title's read needs no allocation; a whole caption's gets a buffer of its length.
  std::array<wchar_t, kTitleRead> small{};
  std::vector<wchar_t> large(count > kTitleRead ? count : 0, L'\0');
  wchar_t* buffer = count > kTitleRead ? large.data() : small.data();
  ::GetWindowTextW(ToHwnd(window), buffer, static_cast<int>(count));
  std::size_t units = wcsnlen(buffer, count);
  // A buffer that ends inside a surrogate pair holds only its first half: that goes.
  if (units == count - 1 && units > 0 && buffer[units - 1] >= 0xD800 && buffer[units - 1] <= 0xDBFF) --units;
  return Narrow(std::wstring_view(buffer, units));
}

std::uint32_t Win32Desktop::Style(platform::WindowId window) {
  return static_cast<std::uint32_t>(::GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

void Win32Desktop::PostClose(platform::WindowId window) { ::PostMessageA(ToHwnd(window), WM_CLOSE, 0, 0); }

std::uint32_t Win32Desktop::ProcessId(platform::WindowId window) {
  DWORD process_id = 0;
  if (::GetWindowThreadProcessId(ToHwnd(window), &process_id) == 0) return 0;
  return process_id;
}

std::string Win32Desktop::ProcessImagePath(std::uint32_t process_id) {
  if (process_id == 0) return {};
  // The limited right is granted for other users' and elevated processes too.
  const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return {};
  std::vector<wchar_t> buffer(kLongPathCapacity, L'\0');
  DWORD size = static_cast<DWORD>(buffer.size());
  if (!::QueryFullProcessImageNameW(process.get(), 0, buffer.data(), &size)) return {};
  return Narrow(std::wstring_view(buffer.data(), std::min<std::size_t>(size, buffer.size() - 1)));
}

}  // namespace quellix::win32
