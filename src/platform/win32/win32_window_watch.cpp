// Windows of other programs as they appear: out-of-context WinEvent hooks, whose callbacks
// the system delivers through the message loop of the thread that set them.
#include <windows.h>

#include <map>

#include "platform/win32/win32_guard.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

class Win32WindowWatch;

// A WinEvent callback carries no pointer of ours, only its hook; the hooks of the thread's
// watches are looked up here. Only the thread that set a hook is ever called for it.
thread_local std::map<HWINEVENTHOOK, Win32WindowWatch*> watches_by_hook;

class Win32WindowWatch final : public platform::WindowWatch {
 public:
  explicit Win32WindowWatch(std::function<void(platform::WindowId)> seen) : seen_(std::move(seen)) {
    constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    // Made and shown are neighbours (destroyed between them is skipped below); renamed is
    // hooked alone, so the many events between them never reach the program.
    hooks_[0] = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, &Seen, 0, 0, kFlags);
    hooks_[1] =
        ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &Seen, 0, 0, kFlags);
    for (HWINEVENTHOOK hook : hooks_)
      if (hook != nullptr) watches_by_hook[hook] = this;
  }
  ~Win32WindowWatch() override {
    for (HWINEVENTHOOK hook : hooks_) {
      if (hook == nullptr) continue;
      ::UnhookWinEvent(hook);
      watches_by_hook.erase(hook);
    }
  }
  Win32WindowWatch(const Win32WindowWatch&) = delete;
  Win32WindowWatch& operator=(const Win32WindowWatch&) = delete;

 private:
  static void CALLBACK Seen(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD,
                            DWORD) noexcept {
    if (event == EVENT_OBJECT_DESTROY || object != OBJID_WINDOW || child != CHILDID_SELF || window == nullptr)
      return;
    if (::GetAncestor(window, GA_PARENT) != ::GetDesktopWindow()) return;  // top-level windows only
    const auto it = watches_by_hook.find(hook);
    if (it == watches_by_hook.end()) return;
    Guarded([&] { it->second->seen_(reinterpret_cast<std::uintptr_t>(window)); }, [] {});
  }

  std::function<void(platform::WindowId)> seen_;
  HWINEVENTHOOK hooks_[2] = {nullptr, nullptr};
};

}  // namespace

std::unique_ptr<platform::WindowWatch> Win32Desktop::WatchWindows(
    std::function<void(platform::WindowId)> seen) {
  return std::make_unique<Win32WindowWatch>(std::move(seen));
}

}  // namespace quellix::win32
