// The notification area on Win32: the native handles the record carries, and the icon
// calls, which go to the tray host the record names.

#include "platform/win32/win32_ui.h"

#include <shellapi.h>

#include <iterator>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {

using platform::ControlKind;
using platform::UiId;

namespace {

constexpr std::size_t kTipOffset = 24, kTipBytes = 64;

std::uint32_t Read32(const platform::NotifyIconRecord& r, std::size_t at) {
  return r[at] | r[at + 1] << 8 | r[at + 2] << 16 | static_cast<std::uint32_t>(r[at + 3]) << 24;
}

// The record's tip field: UTF-8 up to its NUL, or all of its bytes when it has none.
std::string_view TipOf(const platform::NotifyIconRecord& r) {
  const std::string_view field(reinterpret_cast<const char*>(r.data() + kTipOffset), kTipBytes);
  return field.substr(0, field.find('\0'));
}

}  // namespace

std::uint32_t Win32Ui::NativeWindow(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? 0 : Low32(e->hwnd);
}

std::uint32_t Win32Ui::LoadIcon(const std::string& key) { return Low32(Icon(key, SmallIconSize(dpi_))); }

Win32TrayHost* Win32Ui::TrayHostOf(std::uint32_t window) {
  for (auto& [id, e] : elements_)
    if (e.tray && Low32(e.tray->Hwnd()) == window) return e.tray.get();
  return nullptr;
}

void Win32Ui::NotifyIcon(platform::NotifyAction action, const platform::NotifyIconRecord& record) {
  // The wide record, whose tip takes 127 units and its NUL: the 64 bytes of UTF-8 always fit.
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = FromLow32<HWND>(Read32(record, 4));
  data.uID = Read32(record, 8);
  data.uFlags = Read32(record, 12);
  data.uCallbackMessage = Read32(record, 16);
  data.hIcon = FromLow32<HICON>(Read32(record, 20));
  CopyUnits(Widen(TipOf(record)), data.szTip, std::size(data.szTip));
  // The tray host keeps the icon in the notification area; a record for a window that is
  // none goes to the shell as it is.
  if (Win32TrayHost* host = TrayHostOf(Read32(record, 4))) {
    host->Notify(action, data);
  } else {
    Shell_NotifyIconW(static_cast<DWORD>(action), &data);
  }
}

void Win32Ui::ShowBalloon(std::uint32_t window, std::uint32_t /*icon_id*/, const std::string& title,
                          const std::string& text) {
  if (Win32TrayHost* host = TrayHostOf(window)) host->ShowBalloon(Widen(title), Widen(text));
}

}  // namespace quellix::win32
