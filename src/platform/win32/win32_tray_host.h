#pragma once
// The tray host on Win32: an invisible top-level window of its own class that receives the
// icon's callbacks and the shell's broadcast when the taskbar is made again, and that keeps
// the icon the program wants in the notification area. The shell may refuse an icon (at
// logon it is not there yet, or not ready): what the program asked for is kept and added
// again until the shell takes it, at once when the taskbar announces itself.

#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_icons.h"

namespace quellix::win32 {

class Win32TrayHost {
 public:
  // How often a refused icon is offered again.
  static constexpr UINT kRetryMs = 1000;
  static constexpr wchar_t kWindowClass[] = L"QuellixTrayHost";

  // `notify` is given the mouse code of each callback of the icon.
  Win32TrayHost(const std::wstring& name, Win32Icons& icons, std::function<void(std::uint32_t)> notify);
  Win32TrayHost(const Win32TrayHost&) = delete;
  Win32TrayHost& operator=(const Win32TrayHost&) = delete;
  ~Win32TrayHost();  // takes the icon out of the notification area

  HWND Hwnd() const { return window_.get(); }
  // The program's wish for its icon: `data` holds what the action sets (its uFlags).
  void Notify(platform::NotifyAction action, const NOTIFYICONDATAW& data);
  // A warning balloon over the icon; held until the icon is in the notification area.
  void ShowBalloon(const std::wstring& title, const std::wstring& text);
  // The icon is wanted and the shell has it.
  bool InNotificationArea() const { return wanted_ && shown_ && shown_id_ == record_.uID; }
  // The size the icon is shown at, the small-icon size at the window's scale.
  int IconSize() const { return icon_size_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // The record that names icon `id` to the shell, by the GUID too when `guid`, with `flags`
  // of what it sets from the wanted record.
  NOTIFYICONDATAW Named(UINT id, bool guid, UINT flags) const;
  // Brings the notification area to what is wanted. A call to the shell lets the messages
  // sent to this thread run meanwhile, and with them the program's handlers, which may change
  // what is wanted: a wish made then is noted and met when the call returns, never by a call
  // of its own in the middle of another.
  void Reconcile();
  // One call to the shell towards what is wanted; false when there is nothing to do now.
  bool Step();
  // Offers the wanted icon to the shell; true when it took it.
  bool TryAdd();
  void StopRetrying();
  // The scale may have changed: the icon follows the small-icon size of the new one.
  void FollowScale(int dpi);
  int WindowDpi() const;

  Win32Icons& icons_;
  std::function<void(std::uint32_t)> notify_;
  UniqueWindow window_;
  // What the program wants: everything it has set, as one add would carry it.
  NOTIFYICONDATAW record_{};
  bool wanted_ = false;
  UINT pending_flags_ = 0;  // what changed since the shell was last told
  std::wstring balloon_title_, balloon_text_;
  bool balloon_pending_ = false;
  // What the shell has: the icon of that id, named by the GUID or not.
  bool shown_ = false;
  UINT shown_id_ = 0;
  bool shown_guid_ = false;
  bool busy_ = false;   // a call to the shell is under way
  bool dirty_ = false;  // and something was asked meanwhile
  bool retrying_ = false;
  // The icon is named to the shell by a GUID as well as its window, so the icon a crashed
  // earlier run left behind is taken out at the first add. A shell that refuses the GUID (it
  // belongs to the program's former place on disk) is given the icon without it.
  bool use_guid_ = true;
  bool stale_removed_ = false;
  int icon_size_ = 16;
  UINT taskbar_created_ = 0;
  UINT gdi_count_message_ = 0;
};

}  // namespace quellix::win32
