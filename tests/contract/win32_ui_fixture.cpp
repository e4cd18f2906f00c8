#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "contract/ui_under_test.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::contract {
namespace {

struct NoDrawnControls final : platform::DrawnControlMaker {
  bool Describes(std::string_view, std::string_view) const override { return false; }
  std::unique_ptr<platform::DrawnControl> Make(std::string_view, std::string_view, platform::ControlWindow&,
                                               platform::Canvas&, const std::string&, bool,
                                               std::function<void()>) const override {
    return nullptr;
  }
};

class Win32UiUnderTest final : public UiUnderTest {
 public:
  platform::Ui& Ui() override { return ui_; }
  void UserClick(platform::UiId control) override {
    if (!IsWindowEnabled(Hwnd(control))) return;  // no click of the user's reaches it
    SendMessageW(Hwnd(control), BM_CLICK, 0, 0);
    ui_.DoEvents();
  }
  void UserType(platform::UiId field, const std::string& text) override {
    HWND hwnd = Hwnd(field);
    SetFocus(hwnd);
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    for (wchar_t unit : win32::Widen(text)) PostMessageW(hwnd, WM_CHAR, unit, 1);
    ui_.DoEvents();
  }
  void UserMinimize(platform::UiId form) override {
    SendMessageW(Hwnd(form), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ui_.DoEvents();
  }
  void UserClose(platform::UiId form) override {
    SendMessageW(Hwnd(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    ui_.DoEvents();
  }
  void UserHighlightRow(platform::UiId list, std::size_t row) override {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Hwnd(list), LVM_SETITEMSTATE, row - 1, reinterpret_cast<LPARAM>(&state));
    ui_.DoEvents();
  }
  void Wait(unsigned ms) override {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      ui_.DoEvents();
    }
  }

 private:
  HWND Hwnd(platform::UiId id) { return win32::FromLow32<HWND>(ui_.NativeWindow(id)); }
  NoDrawnControls none_;
  win32::Win32Ui ui_{none_};
};

}  // namespace

std::unique_ptr<UiUnderTest> MakeUiUnderTest() { return std::make_unique<Win32UiUnderTest>(); }

}  // namespace quellix::contract
