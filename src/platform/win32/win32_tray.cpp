// The notification area on Win32: the native handles the record carries, and the icon
// calls, remembered so that the icon can be added again after the shell restarts.

#include "platform/win32/win32_ui.h"

#include <shellapi.h>

#include <cstring>

#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {

using platform::ControlKind;
using platform::UiId;

namespace {

std::uint32_t Read32(const platform::NotifyIconRecord& r, std::size_t at) {
  return r[at] | r[at + 1] << 8 | r[at + 2] << 16 | static_cast<std::uint32_t>(r[at + 3]) << 24;
}

}  // namespace

std::uint32_t Win32Ui::NativeWindow(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? 0 : Low32(e->hwnd);
}

std::uint32_t Win32Ui::LoadIcon(const std::string& key) { return Low32(Icon(key, 16)); }

void Win32Ui::NotifyIcon(platform::NotifyAction action, const platform::NotifyIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = FromLow32<HWND>(Read32(record, 4));
  data.uID = Read32(record, 8);
  data.uFlags = Read32(record, 12);
  data.uCallbackMessage = Read32(record, 16);
  data.hIcon = FromLow32<HICON>(Read32(record, 20));
  std::memcpy(data.szTip, record.data() + 24, 64);
  data.szTip[63] = '\0';  // the field holds 64 characters; the shell shows 63
  Shell_NotifyIconA(static_cast<DWORD>(action), &data);

  // Remember what is shown, so it can be added again after the shell restarts.
  UiId host = 0;
  for (auto& [id, e] : elements_)
    if (e.kind == ControlKind::kTrayHost && e.hwnd == data.hWnd) host = id;
  if (action == platform::NotifyAction::kAdd) {
    shown_icons_[host] = data;
  } else if (action == platform::NotifyAction::kDelete) {
    shown_icons_.erase(host);
  } else if (auto it = shown_icons_.find(host); it != shown_icons_.end()) {
    if (data.uFlags & NIF_ICON) it->second.hIcon = data.hIcon;
    if (data.uFlags & NIF_TIP) std::memcpy(it->second.szTip, data.szTip, sizeof data.szTip);
  }
}

void Win32Ui::ShowBalloon(std::uint32_t window, std::uint32_t icon_id, const std::string& title,
                          const std::string& text) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = FromLow32<HWND>(window);
  data.uID = icon_id;
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_WARNING;
  lstrcpynA(data.szInfoTitle, title.c_str(), sizeof data.szInfoTitle);
  lstrcpynA(data.szInfo, text.c_str(), sizeof data.szInfo);
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

}  // namespace quellix::win32
