// The tray host under Wine: an icon the shell refuses at first (at logon the notification
// area is not there yet) appears once the shell takes it, by itself and at once when the
// taskbar announces itself; callbacks reach the form; the icon follows the scale.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "controls/hosted_button.h"
#include "platform/win32/win32_icons.h"
#include "platform/win32/win32_tray_host.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {
namespace {

using platform::ControlKind;

struct TrayEvents : platform::UiEvents {
  std::vector<std::uint32_t> codes;
  std::function<void(std::uint32_t)> on_notify;
  void OnTrayNotify(platform::UiId, std::uint32_t code) override {
    codes.push_back(code);
    if (on_notify) on_notify(code);
  }
};

// A notification area that is there but refuses every icon, as a shell that has not
// finished starting does. Topmost, so the shell's calls find it before the real one.
class RefusingShell {
 public:
  RefusingShell() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
      if (message == WM_COPYDATA) return FALSE;
      return DefWindowProcW(hwnd, message, wparam, lparam);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 1, 1,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~RefusingShell() { Leave(); }
  HWND Window() const { return window_; }
  void Leave() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
    UnregisterClassW(L"Shell_TrayWnd", GetModuleHandleW(nullptr));  // each fake brings its own
  }

 private:
  HWND window_ = nullptr;
};

// A notification area that takes every icon and keeps which it holds, by window and id
// (the first fields of the record Wine's shell sends). While the program's call to change an
// icon is under way, it can run what a callback of the icon would make the program do.
class RecordingShell {
 public:
  static inline std::set<std::pair<LONG, UINT>> icons;
  static inline std::function<void()> during_modify, during_delete;

  RecordingShell() {
    icons.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
      if (message != WM_COPYDATA) return DefWindowProcW(hwnd, message, wparam, lparam);
      const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
      if (copy->cbData < 2 * sizeof(UINT)) return FALSE;
      LONG window = 0;
      UINT id = 0;
      std::memcpy(&window, copy->lpData, sizeof window);
      std::memcpy(&id, static_cast<const char*>(copy->lpData) + sizeof window, sizeof id);
      const std::pair<LONG, UINT> icon{window, id};
      switch (copy->dwData) {
        case NIM_ADD:
          return icons.insert(icon).second;
        case NIM_MODIFY:
          if (icons.count(icon) == 0) return FALSE;
          if (during_modify) std::exchange(during_modify, nullptr)();
          return TRUE;
        case NIM_DELETE: {
          const bool had = icons.erase(icon) != 0;
          if (had && during_delete) std::exchange(during_delete, nullptr)();
          return had;
        }
        default:
          return FALSE;
      }
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 1, 1,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~RecordingShell() {
    DestroyWindow(window_);
    UnregisterClassW(L"Shell_TrayWnd", GetModuleHandleW(nullptr));  // each fake brings its own
  }
  HWND Window() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// The record the tray area sends: size, window, id, flags, callback message, icon, tip.
platform::NotifyIconRecord Record(std::uint32_t window, std::uint32_t id, std::uint32_t flags,
                                  std::uint32_t icon, const std::string& tip) {
  platform::NotifyIconRecord r{};
  const auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) r[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  put(0, static_cast<std::uint32_t>(r.size()));
  put(4, window);
  put(8, id);
  put(12, flags);
  put(16, 0x0200);
  put(20, icon);
  for (std::size_t i = 0; i < tip.size() && i < 63; ++i) r[24 + i] = static_cast<unsigned char>(tip[i]);
  return r;
}

// The real notification area holds the icon (window, id): it takes a change to it.
bool InShell(HWND window, UINT id) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = id;
  probe.uFlags = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

// Lets the host's messages run for up to `ms`, until `done`.
template <typename Done>
bool RunUntil(Win32Ui& ui, unsigned ms, Done done) {
  for (unsigned waited = 0; waited < ms; waited += 50) {
    ui.DoEvents();
    if (done()) return true;
    Sleep(50);
  }
  ui.DoEvents();
  return done();
}

class Win32TrayContract : public ::testing::Test {
 protected:
  void SetUp() override {
    form = ui.CreateForm({"Form1", "Quellix", 3000, 2000}, events);
    host = ui.CreateControl(form, {ControlKind::kTrayHost, "TrayArea1", "", {}});
    window = FromLow32<HWND>(ui.NativeWindow(host));
    // The notification area of the desktop process is there before the test starts.
    ASSERT_TRUE(RunUntil(ui, 5000, [] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }));
  }
  void TearDown() override { ui.DestroyForm(form); }
  void Add(std::uint32_t id) {
    ui.NotifyIcon(platform::NotifyAction::kAdd,
                  Record(ui.NativeWindow(host), id, NIF_MESSAGE | NIF_ICON | NIF_TIP, ui.LoadIcon("tray"), "Quellix"));
  }

  Win32Ui ui{controls::DrawnProductButtons()};
  TrayEvents events;
  platform::UiId form = 0, host = 0;
  HWND window = nullptr;
};

TEST_F(Win32TrayContract, AnIconTheShellRefusesAppearsOnceTheShellTakesIt) {
  RefusingShell refusing;
  ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), refusing.Window());
  Add(4242);
  // A change made while the icon is not shown is kept for when it is.
  ui.NotifyIcon(platform::NotifyAction::kModify, Record(ui.NativeWindow(host), 4242, NIF_TIP, 0, "Quellix > 3"));
  ui.DoEvents();
  refusing.Leave();
  EXPECT_FALSE(InShell(window, 4242));  // the refusal was not taken for success
  // Offered again on the host's timer, with no broadcast from the shell.
  EXPECT_TRUE(RunUntil(ui, 4 * Win32TrayHost::kRetryMs, [&] { return InShell(window, 4242); }));
  ui.NotifyIcon(platform::NotifyAction::kDelete, Record(ui.NativeWindow(host), 4242, 0, 0, ""));
  EXPECT_FALSE(InShell(window, 4242));
}

TEST_F(Win32TrayContract, AShellThatStartsAgainGetsTheIconAtItsBroadcast) {
  Add(77);
  ASSERT_TRUE(InShell(window, 77));
  // The shell went and came back without the icon, as when Explorer restarts.
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof gone;
  gone.hWnd = window;
  gone.uID = 77;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
  SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(InShell(window, 77));  // at once, not at the next retry
  ui.NotifyIcon(platform::NotifyAction::kDelete, Record(ui.NativeWindow(host), 77, 0, 0, ""));
}

TEST_F(Win32TrayContract, TheIconsCallbacksReachTheFormAndACloseRequestLeavesTheHost) {
  Add(5);
  SendMessageW(window, 0x0200, 5, 0x0203);
  SendMessageW(window, 0x0200, 5, 0x0204);
  EXPECT_EQ(events.codes, (std::vector<std::uint32_t>{0x0203, 0x0204}));
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  ui.NotifyIcon(platform::NotifyAction::kDelete, Record(ui.NativeWindow(host), 5, 0, 0, ""));
}

TEST_F(Win32TrayContract, AnIconTakenOutByAHandlerThatRunsDuringAChangeStaysOut) {
  // The shell's calls let sent messages run, and with them the program's handlers.
  RecordingShell shell;
  if (FindWindowW(L"Shell_TrayWnd", nullptr) != shell.Window()) GTEST_SKIP() << "a shell of another class came first";
  Add(9);
  const LONG host_window = static_cast<LONG>(ui.NativeWindow(host));
  EXPECT_EQ(RecordingShell::icons, (std::set<std::pair<LONG, UINT>>{{host_window, 9}}));
  // A double click arrives while the tip is changed: the program leaves the tray and takes
  // the icon out; the mouse moving over the icon meanwhile makes it change the tip again.
  events.on_notify = [&](std::uint32_t code) {
    if (code == 0x0203)
      ui.NotifyIcon(platform::NotifyAction::kDelete, Record(ui.NativeWindow(host), 9, NIF_TIP, 0, ""));
    if (code == 0x0200)
      ui.NotifyIcon(platform::NotifyAction::kModify, Record(ui.NativeWindow(host), 9, NIF_TIP, 0, "Quellix > 5"));
  };
  RecordingShell::during_modify = [&] { SendMessageW(window, 0x0200, 9, 0x0203); };
  RecordingShell::during_delete = [&] { SendMessageW(window, 0x0200, 9, 0x0200); };
  ui.NotifyIcon(platform::NotifyAction::kModify, Record(ui.NativeWindow(host), 9, NIF_TIP, 0, "Quellix > 4"));
  events.on_notify = nullptr;
  EXPECT_TRUE(RecordingShell::icons.empty());
  Add(10);  // back in the tray, under a new id: one icon, not two
  EXPECT_EQ(RecordingShell::icons, (std::set<std::pair<LONG, UINT>>{{host_window, 10}}));
  ui.NotifyIcon(platform::NotifyAction::kDelete, Record(ui.NativeWindow(host), 10, 0, 0, ""));
  EXPECT_TRUE(RecordingShell::icons.empty());
}

TEST(Win32TrayHostContract, TheIconIsLoadedAtTheSmallIconSizeOfTheScaleAndFollowsIt) {
  Win32Icons icons;
  Win32TrayHost tray(L"TrayArea1", icons, {});
  const int at96 = SmallIconSize(96);
  EXPECT_EQ(at96, GetSystemMetrics(SM_CXSMICON));
  EXPECT_GT(SmallIconSize(192), at96);
  HICON small = icons.Get("tray", tray.IconSize());
  ASSERT_NE(small, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(small, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  EXPECT_EQ(bitmap.bmWidth, tray.IconSize());
  // Moved to a monitor at twice the scale, the icon takes that scale's size; the same
  // icon is found again at it.
  RECT suggested{0, 0, 10, 10};
  SendMessageW(tray.Hwnd(), 0x02E0, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(tray.IconSize(), SmallIconSize(192));
  EXPECT_EQ(icons.Resized(small, tray.IconSize()), icons.Get("tray", SmallIconSize(192)));
  EXPECT_NE(icons.Resized(small, tray.IconSize()), small);
}

}  // namespace
}  // namespace quellix::win32
