#include "platform/win32/win32_tray_host.h"

#include <cstring>
#include <iterator>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_guard.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {
namespace {

constexpr UINT_PTR kRetryTimer = 1;
// The program's icon, to the shell (a GUID made for it).
constexpr GUID kIconGuid = {0xe9774e95, 0x70be, 0x48c7, {0xb4, 0x7b, 0x1a, 0x22, 0x9e, 0xa0, 0xa4, 0x8f}};
constexpr UINT kKeptFields = NIF_MESSAGE | NIF_ICON | NIF_TIP;

bool ShellTrayPresent() { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }

// A message the shell broadcasts, let through to a window of a program that runs with
// higher rights than the shell (Windows 7 and later).
void LetThrough(HWND hwnd, UINT message) {
  using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  static const auto filter = reinterpret_cast<Filter>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  if (filter != nullptr) filter(hwnd, message, kAllow, nullptr);
}

}  // namespace

Win32TrayHost::Win32TrayHost(const std::wstring& name, Win32Icons& icons, std::function<void(std::uint32_t)> notify)
    : icons_(icons), notify_(std::move(notify)) {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  (void)registered;
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  gdi_count_message_ = RegisterWindowMessageW(kGdiCountMessage);
  window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, name.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, GetModuleHandleW(nullptr), this));
  if (!window_) return;
  LetThrough(Hwnd(), taskbar_created_);
  icon_size_ = SmallIconSize(WindowDpi());
}

Win32TrayHost::~Win32TrayHost() {
  if (shown_) {
    NOTIFYICONDATAW named = Named(shown_id_, shown_guid_, 0);
    shown_ = false;
    Shell_NotifyIconW(NIM_DELETE, &named);
  }
  StopRetrying();
}

LRESULT CALLBACK Win32TrayHost::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32TrayHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return GuardedMessage(hwnd, message, wparam, lparam, [&] { return self->Handle(hwnd, message, wparam, lparam); });
}

LRESULT Win32TrayHost::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == gdi_count_message_) return GdiObjectCount::Live();
  if (message == taskbar_created_) {
    // A new shell: it has none of the icons the old one showed, a crashed run's neither.
    shown_ = false;
    stale_removed_ = true;
    Reconcile();
    return 0;
  }
  if (message != 0 && (record_.uFlags & NIF_MESSAGE) != 0 && message == record_.uCallbackMessage) {
    if (notify_) notify_(LOWORD(lparam));
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wparam == kRetryTimer) {
        Reconcile();
        return 0;
      }
      break;
    case kDpiChangedMessage:
      FollowScale(HIWORD(wparam));
      return 0;
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
      FollowScale(WindowDpi());
      break;
    case WM_CLOSE:
      // A close request to the whole process (a task manager's) is the main window's to
      // answer; this window lives as long as its form.
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

NOTIFYICONDATAW Win32TrayHost::Named(UINT id, bool guid, UINT flags) const {
  NOTIFYICONDATAW named{};
  named.cbSize = sizeof named;
  named.hWnd = Hwnd();
  named.uID = id;
  named.uFlags = flags | (guid ? NIF_GUID : 0);
  named.guidItem = kIconGuid;
  named.uCallbackMessage = record_.uCallbackMessage;
  named.hIcon = record_.hIcon;
  std::memcpy(named.szTip, record_.szTip, sizeof named.szTip);
  return named;
}

void Win32TrayHost::Notify(platform::NotifyAction action, const NOTIFYICONDATAW& data) {
  switch (action) {
    case platform::NotifyAction::kAdd:
      record_ = data;
      record_.uFlags = data.uFlags & kKeptFields;
      record_.hIcon = icons_.Resized(data.hIcon, icon_size_);
      wanted_ = true;
      // An icon of another id is taken out first; the same one is told all of it.
      pending_flags_ = record_.uFlags;
      break;
    case platform::NotifyAction::kModify: {
      // Kept whether or not the icon is shown: the next add carries all of it.
      const UINT flags = data.uFlags & kKeptFields;
      if (flags & NIF_MESSAGE) record_.uCallbackMessage = data.uCallbackMessage;
      if (flags & NIF_ICON) record_.hIcon = icons_.Resized(data.hIcon, icon_size_);
      if (flags & NIF_TIP) std::memcpy(record_.szTip, data.szTip, sizeof record_.szTip);
      record_.uFlags |= flags;
      pending_flags_ |= flags;
      break;
    }
    case platform::NotifyAction::kDelete:
      wanted_ = false;
      pending_flags_ = 0;
      balloon_pending_ = false;
      break;
  }
  Reconcile();
}

void Win32TrayHost::Reconcile() {
  if (busy_) {
    dirty_ = true;
    return;
  }
  busy_ = true;
  bool more = true;
  while (more || dirty_) {
    dirty_ = false;
    more = Step();
  }
  busy_ = false;
}

bool Win32TrayHost::Step() {
  if (!window_) return false;
  if (shown_ && (!wanted_ || shown_id_ != record_.uID)) {
    NOTIFYICONDATAW named = Named(shown_id_, shown_guid_, 0);
    shown_ = false;
    Shell_NotifyIconW(NIM_DELETE, &named);
    return true;
  }
  if (!wanted_) {
    StopRetrying();
    return false;
  }
  if (!shown_) {
    if (TryAdd()) return true;
    // Refused: offered again on the timer, and at once when the taskbar announces itself.
    if (!retrying_) retrying_ = SetTimer(Hwnd(), kRetryTimer, kRetryMs, nullptr) != 0;
    return false;
  }
  StopRetrying();
  if (pending_flags_ != 0) {
    NOTIFYICONDATAW named = Named(shown_id_, shown_guid_, pending_flags_);
    pending_flags_ = 0;
    // A shell that no longer has the icon (it went without telling) is given it again.
    if (!Shell_NotifyIconW(NIM_MODIFY, &named)) shown_ = false;
    return true;
  }
  if (balloon_pending_) {
    NOTIFYICONDATAW named = Named(shown_id_, shown_guid_, NIF_INFO);
    named.dwInfoFlags = NIIF_WARNING;
    CopyUnits(balloon_title_, named.szInfoTitle, std::size(named.szInfoTitle));
    CopyUnits(balloon_text_, named.szInfo, std::size(named.szInfo));
    balloon_pending_ = false;
    Shell_NotifyIconW(NIM_MODIFY, &named);
    return true;
  }
  return false;
}

bool Win32TrayHost::TryAdd() {
  // The icon as wanted now; what is wanted may change while the shell is asked.
  const UINT id = record_.uID;
  const UINT flags = record_.uFlags;
  pending_flags_ = 0;  // the add carries all of it
  const bool shell = ShellTrayPresent();
  if (use_guid_ && !stale_removed_ && shell) {
    // An icon of a run that ended without taking it out carries the same GUID.
    stale_removed_ = true;
    NOTIFYICONDATAW stale = Named(id, true, 0);
    Shell_NotifyIconW(NIM_DELETE, &stale);
  }
  const auto add = [&](bool guid) {
    NOTIFYICONDATAW named = Named(id, guid, flags);
    if (Shell_NotifyIconW(NIM_ADD, &named)) return true;
    // The shell may have kept the icon: then it takes a change.
    return Shell_NotifyIconW(NIM_MODIFY, &named) != FALSE;
  };
  bool guid = use_guid_;
  bool added = add(guid);
  if (!added && guid && shell) {
    guid = false;
    added = add(guid);
    if (added) use_guid_ = false;  // else not the GUID: the shell is not ready
  }
  if (!added) {
    pending_flags_ |= flags;
    return false;
  }
  shown_ = true;
  shown_id_ = id;
  shown_guid_ = guid;
  return true;
}

void Win32TrayHost::StopRetrying() {
  if (retrying_ && window_) KillTimer(Hwnd(), kRetryTimer);
  retrying_ = false;
}

void Win32TrayHost::ShowBalloon(const std::wstring& title, const std::wstring& text) {
  balloon_title_ = title;
  balloon_text_ = text;
  balloon_pending_ = true;
  Reconcile();
}

int Win32TrayHost::WindowDpi() const {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  // Windows 10 1607 and later.
  static const auto for_window = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (for_window != nullptr && window_) {
    const UINT dpi = for_window(Hwnd());
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

void Win32TrayHost::FollowScale(int dpi) {
  const int size = SmallIconSize(dpi);
  if (size == icon_size_ || size <= 0) return;
  icon_size_ = size;
  record_.hIcon = icons_.Resized(record_.hIcon, size);
  if (record_.uFlags & NIF_ICON) pending_flags_ |= NIF_ICON;
  Reconcile();
}

}  // namespace quellix::win32
