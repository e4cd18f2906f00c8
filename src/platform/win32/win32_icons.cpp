#include "platform/win32/win32_icons.h"

#include "platform/win32/wide_text.h"

namespace quellix::win32 {

Win32Icons::~Win32Icons() {
  for (auto& [name, icon] : by_name_)
    if (icon != nullptr) DestroyIcon(icon);
}

HICON Win32Icons::Get(const std::string& key, int size) {
  const std::string name = key + "@" + std::to_string(size);
  auto it = by_name_.find(name);
  if (it != by_name_.end()) return it->second;
  // Resource names are the keys behind "ICON_" (resource names compare without case).
  const std::wstring resource = Widen("ICON_" + key);
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resource.c_str(), IMAGE_ICON, size, size, 0));
  by_name_.emplace(name, icon);
  if (icon != nullptr) keys_.emplace(icon, key);
  return icon;
}

HICON Win32Icons::Resized(HICON icon, int size) {
  auto it = keys_.find(icon);
  if (it == keys_.end()) return icon;
  const std::string key = it->second;  // Get may add to the map
  HICON resized = Get(key, size);
  return resized != nullptr ? resized : icon;
}

int SmallIconSize(int dpi) {
  using MetricsForDpi = int(WINAPI*)(int, UINT);
  // Windows 10 1607 and later.
  static const auto for_dpi = reinterpret_cast<MetricsForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  if (for_dpi != nullptr && dpi > 0) {
    const int size = for_dpi(SM_CXSMICON, static_cast<UINT>(dpi));
    if (size > 0) return size;
  }
  const int start_dpi = ScreenDpi();
  const int size = GetSystemMetrics(SM_CXSMICON);
  if (size <= 0) return MulDiv(16, dpi > 0 ? dpi : 96, 96);
  return dpi > 0 && start_dpi > 0 ? MulDiv(size, dpi, start_dpi) : size;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 96;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace quellix::win32
