// Tooltips on Win32: one standard tooltip control per form, shown for any of its controls
// that has a tip.

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui.h"

namespace quellix::win32 {

namespace {

constexpr int kTipWidthTwips = 4320;  // longer tips wrap

}  // namespace

void Win32Ui::SetToolTip(platform::UiId control, const std::string& text) {
  Element* c = Lookup(control);
  Element* owner = c != nullptr && !c->as_form ? Lookup(c->form) : nullptr;
  Win32Form* form = owner != nullptr ? owner->as_form.get() : nullptr;
  if (form == nullptr || c->hwnd == nullptr) return;
  if (!form->tooltip) {
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};  // the tooltip class
    InitCommonControlsEx(&common);
    form->tooltip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, owner->hwnd, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    if (!form->tooltip) return;
    SendMessageW(form->tooltip.get(), TTM_SETMAXTIPWIDTH, 0, Pixels(kTipWidthTwips));
  }
  // The tooltip watches the control's mouse messages itself (TTF_SUBCLASS). The record has
  // the size every version of the common controls takes.
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner->hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(c->hwnd);
  SendMessageW(form->tooltip.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  std::wstring tip = Widen(text);  // copied by the tooltip
  tool.lpszText = tip.data();
  SendMessageW(form->tooltip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quellix::win32
