// The user-interface host on Win32: window classes, the message loop, timers, icons and
// the window procedures that turn messages into the forms' events.

#include "platform/win32/win32_ui.h"

#include <commctrl.h>
#include <objbase.h>
#include <windowsx.h>

#include <iterator>

#include "controls/access_key.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_guard.h"
#include "platform/win32/win32_ui_shared.h"
#include "platform/win32/win32_window_finder.h"

namespace quellix::win32 {

using platform::ControlKind;
using platform::UiId;

Win32Ui::Win32Ui(const platform::DrawnControlMaker& drawn_controls) : drawn_controls_(drawn_controls) {
  INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  dpi_ = ScreenDpi();
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // Accessibility clients are served objects through COM (the drawn buttons').
  com_ready_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  Win32DrawnButton::RegisterWindowClass();
  RegisterWindowFinderClass();

  WNDCLASSW wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = Icon("tray", 32);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kFormClass;
  RegisterClassW(&wc);
  wc.lpfnWndProc = FrameProc;
  wc.hIcon = nullptr;
  wc.lpszClassName = kFrameClass;
  RegisterClassW(&wc);
}

Win32Ui::~Win32Ui() {
  // Each form's window with its controls, while the elements they reach are all there;
  // then what is left, the drawn buttons before COM goes.
  std::vector<UiId> forms;
  for (const auto& [id, e] : elements_)
    if (e.as_form) forms.push_back(id);
  for (const UiId form : forms) DestroyForm(form);
  elements_.clear();
  if (com_ready_) CoUninitialize();
}

int Win32Ui::Run() {
  MSG msg;
  // A Unicode loop: an ANSI one would turn typed characters outside the code page into "?".
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return 0;
}

void Win32Ui::Dispatch(const MSG& msg) noexcept {
  // The keys and clicks the host answers itself run the program's handlers outside any
  // window procedure: they get the same boundary.
  const auto answered = [&](auto&& answer) { return Guarded(answer, [] { return true; }); };
  if (msg.message == WM_SYSCHAR && answered([&] { return PressAccessKey(msg); })) return;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && MoveFocusByTab(msg)) return;
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) &&
      answered([&] { return AnswerDialogKey(msg); }))
    return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK || msg.message == WM_LBUTTONUP)
    answered([&] {
      FollowListBoxClick(msg);
      return true;
    });
}

// Enter in a text field or list, and Escape anywhere, go to the form first: a dialog answers
// them with its default and cancel buttons. Enter on a button stays the button's.
bool Win32Ui::AnswerDialogKey(const MSG& msg) {
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root == nullptr || GetPropW(root, kHostProperty) != this) return false;
  const auto form = static_cast<UiId>(GetWindowLongPtrW(root, GWLP_USERDATA));
  platform::UiEvents* events = EventsOf(form);
  if (events == nullptr) return false;
  const bool enter = msg.wParam == VK_RETURN;
  if (enter) {
    // A control's id is its element's.
    const Element* focused = Lookup(static_cast<UiId>(GetDlgCtrlID(msg.hwnd)));
    if (focused == nullptr || focused->hwnd != msg.hwnd ||
        (focused->kind != ControlKind::kTextField && focused->kind != ControlKind::kListView &&
         focused->kind != ControlKind::kListBox))
      return false;
  }
  return events->OnDialogKey(form, enter ? platform::DialogKey::kEnter : platform::DialogKey::kEscape);
}

// Tab and Shift+Tab move the focus between a form's controls that take it, as in a dialog.
bool Win32Ui::MoveFocusByTab(const MSG& msg) {
  HWND form = GetAncestor(msg.hwnd, GA_ROOT);
  if (form == nullptr || GetPropW(form, kHostProperty) != this) return false;
  const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  HWND next = GetNextDlgTabItem(form, msg.hwnd == form ? nullptr : msg.hwnd, back);
  if (next == nullptr) return false;
  SetFocus(next);
  return true;
}

namespace {

// An access key as typed keys are compared with it: lower-cased by the system's rules.
std::wstring LoweredKey(const std::string& key) {
  std::wstring lowered = Widen(key);
  CharLowerBuffW(lowered.data(), static_cast<DWORD>(lowered.size()));
  return lowered;
}

}  // namespace

bool Win32Ui::PressAccessKey(const MSG& msg) {
  // A character outside the Basic Multilingual Plane comes as two messages: the first half
  // is kept (and goes its usual way) until the second arrives.
  const auto unit = static_cast<wchar_t>(msg.wParam);
  std::wstring typed(1, unit);
  if (IS_HIGH_SURROGATE(unit)) {
    typed_high_surrogate_ = unit;
    return false;
  }
  if (IS_LOW_SURROGATE(unit) && typed_high_surrogate_ != 0)
    typed.insert(typed.begin(), typed_high_surrogate_);
  typed_high_surrogate_ = 0;
  CharLowerBuffW(typed.data(), static_cast<DWORD>(typed.size()));
  HWND form = GetAncestor(msg.hwnd, GA_ROOT);
  for (auto& [id, e] : elements_) {
    if (!e.drawn || !IsChild(form, e.hwnd) || !IsWindowVisible(e.hwnd) || !IsWindowEnabled(e.hwnd)) continue;
    const std::wstring key = LoweredKey(e.drawn->AccessKeys());
    if (key.empty() || key != typed) continue;
    const std::shared_ptr<Win32DrawnButton> button = e.drawn;  // its action may destroy the form
    button->Control().Press();
    return true;
  }
  return FollowLabelKey(form, typed);
}

// As in a dialog: the access key of a label moves the focus to the control made after it (its
// field), that of a check box or option button chooses it.
bool Win32Ui::FollowLabelKey(HWND form, const std::wstring& typed) {
  const auto shown = [&](const Element& e) {
    return e.hwnd != nullptr && IsChild(form, e.hwnd) && IsWindowVisible(e.hwnd) && IsWindowEnabled(e.hwnd);
  };
  for (auto it = elements_.begin(); it != elements_.end(); ++it) {
    const Element& e = it->second;
    const bool label = e.kind == ControlKind::kLabel;
    if ((!label && e.kind != ControlKind::kCheckBox && e.kind != ControlKind::kOptionButton) || !shown(e)) continue;
    const std::wstring key = LoweredKey(controls::AccessKey(WindowText(e.hwnd)));
    if (key.empty() || key != typed) continue;
    if (!label) {
      SetFocus(e.hwnd);
      SendMessageW(e.hwnd, BM_CLICK, 0, 0);
      return true;
    }
    for (auto next = std::next(it); next != elements_.end(); ++next) {
      const Element& field = next->second;
      if (field.form != e.form || !shown(field) || field.kind == ControlKind::kLabel ||
          field.kind == ControlKind::kFrame || field.kind == ControlKind::kPicture)
        continue;
      SetFocus(field.hwnd);
      if (field.kind == ControlKind::kTextField) SendMessageW(field.hwnd, EM_SETSEL, 0, -1);
      return true;
    }
    return false;
  }
  return false;
}

Win32Ui::Element* Win32Ui::Lookup(UiId id) {
  auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : &it->second;
}

platform::UiEvents* Win32Ui::EventsOf(UiId id) {
  Element* e = Lookup(id);
  Element* form = e ? Lookup(e->form) : nullptr;
  return form != nullptr && form->as_form ? form->as_form->events : nullptr;
}

HICON Win32Ui::Icon(const std::string& key, int size) { return icons_.Get(key, size); }

UiId Win32Ui::CreateTimer(UiId form, unsigned interval_ms) {
  Element* e = Lookup(form);
  if (e == nullptr) return 0;
  const UiId id = next_id_++;
  timers_[id] = {form, SetTimer(e->hwnd, id, interval_ms, nullptr)};
  return id;
}

void Win32Ui::DestroyTimer(UiId timer) {
  auto it = timers_.find(timer);
  if (it == timers_.end()) return;
  if (Element* e = Lookup(it->second.first)) KillTimer(e->hwnd, it->second.second);
  timers_.erase(it);
}

void Win32Ui::DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    Dispatch(msg);
  }
}

LRESULT CALLBACK Win32Ui::FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  auto* self = static_cast<Win32Ui*>(GetPropW(hwnd, kHostProperty));
  const auto id = static_cast<UiId>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || id == 0) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) RemovePropW(hwnd, kHostProperty);
  // Timers, commands and notifications all reach the program's handlers from here.
  return GuardedMessage(hwnd, message, wparam, lparam,
                        [&] { return self->HandleFormMessage(id, hwnd, message, wparam, lparam); });
}

LRESULT CALLBACK Win32Ui::FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    wchar_t caption[128] = {};
    const int length = GetWindowTextW(hwnd, caption, static_cast<int>(std::size(caption)));
    if (length > 0) {
      r.top += 7;
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      TextOutW(dc, 8, 0, caption, length);
      SelectObject(dc, old);
    }
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT Win32Ui::HandleFormMessage(UiId form, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Element* e = Lookup(form);
  platform::UiEvents* events = EventsOf(form);
  switch (message) {
    case WM_COMMAND:
      HandleCommand(form, wparam);
      return 0;
    case WM_NOTIFY:
      HandleNotify(form, *reinterpret_cast<NMHDR*>(lparam));
      return 0;
    case kListRowsMessage:
      SyncRowCount(static_cast<UiId>(wparam));
      return 0;
    case kWindowPickedMessage:
      if (events != nullptr && Lookup(static_cast<UiId>(wparam)) != nullptr)
        events->OnWindowPicked(static_cast<UiId>(wparam), static_cast<std::uint64_t>(static_cast<std::uintptr_t>(lparam)));
      return 0;
    case WM_TIMER:
      if (events != nullptr && timers_.count(static_cast<UiId>(wparam)) != 0)
        events->OnTimer(static_cast<UiId>(wparam));
      return 0;
    case kDpiChangedMessage:
      // The window went to a monitor of another scale: take the size the system suggests
      // and lay the form's controls out again from their twips.
      dpi_ = HIWORD(wparam);
      if (const auto* suggested = reinterpret_cast<const RECT*>(lparam)) {
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      LayOut(form);
      return 0;
    case WM_SIZE:
      if (e != nullptr) {
        if (e->as_form) e->as_form->state =
            wparam == SIZE_MINIMIZED ? platform::WindowState::kMinimized : platform::WindowState::kNormal;
        if (events != nullptr && (wparam == SIZE_MINIMIZED || wparam == SIZE_RESTORED))
          events->OnWindowStateChanged(form);
      }
      return 0;
    case WM_CLOSE:
      if (events != nullptr) events->OnCloseRequest(form);
      return 0;
    case WM_ENDSESSION:
      // The session ends, or an installer's restart manager closes the program (then lparam
      // holds ENDSESSION_CLOSEAPP). A query before it is agreed to, by DefWindowProc.
      if (wparam != FALSE && events != nullptr) events->OnSessionEnding(form);
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // The window system tells top-level windows only: the drawn buttons repaint in the new
      // system colours.
      for (const auto& [id, c] : elements_)
        if (c.form == form && c.drawn) SendMessageW(c.hwnd, message, wparam, lparam);
      break;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (measure->CtlType == ODT_MENU) {
        measure->itemWidth = kMenuIconSize;
        measure->itemHeight = kMenuIconSize + 2;
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (draw->CtlType == ODT_MENU) {
        DrawMenuIcon(*draw);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      const auto control = static_cast<UiId>(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
      Element* c = Lookup(control);
      if (c != nullptr && c->kind == ControlKind::kLink) ::SetTextColor(dc, RGB(0, 0, 204));
      if (c != nullptr && c->text_color != CLR_INVALID) ::SetTextColor(dc, c->text_color);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32Ui::HandleCommand(UiId form, WPARAM wparam) {
  const auto control = static_cast<UiId>(LOWORD(wparam));
  const Element* c = Lookup(control);
  platform::UiEvents* events = EventsOf(form);
  if (c == nullptr || events == nullptr) return;
  // Copied first: a handler may destroy the form, and the element with it.
  const ControlKind kind = c->kind;
  const HWND hwnd = c->hwnd;
  const WORD code = HIWORD(wparam);
  if (kind == ControlKind::kTextField && code == EN_CHANGE && !setting_text_) {
    events->OnTextEdited(control);
  } else if ((kind == ControlKind::kButton || kind == ControlKind::kCheckBox ||
              kind == ControlKind::kOptionButton) &&
             code == BN_CLICKED) {
    events->OnClick(control);
  } else if (kind == ControlKind::kLink && code == STN_CLICKED) {
    events->OnClick(control);
  } else if (kind == ControlKind::kListBox && code == LBN_SELCHANGE) {
    // The user's moves, by mouse or keyboard (LB_SETCURSEL raises none). Some list boxes also
    // send it at every button release, changed or not; clicks are told apart, after them.
    const LRESULT row = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
    if (row >= 0) events->OnSelectionChanged(control, static_cast<std::size_t>(row) + 1);
  }
}

void Win32Ui::HandleNotify(UiId form, NMHDR& header) {
  const auto control = static_cast<UiId>(header.idFrom);
  Element* list = Lookup(control);
  // A list view tells a Unicode parent in the wide form.
  if (list != nullptr && list->list && header.code == LVN_GETDISPINFOW) {
    FillListItem(*list->list, reinterpret_cast<NMLVDISPINFOW&>(header));
    return;
  }
  platform::UiEvents* events = EventsOf(form);
  if (events == nullptr || list == nullptr) return;
  if (header.code == LVN_ITEMCHANGED) {
    FollowListViewChange(control, reinterpret_cast<const NMLISTVIEW&>(header));
    return;
  }
  if (header.code == NM_CLICK || header.code == NM_DBLCLK) {
    const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
    if (activate.iItem >= 0) events->OnItemClick(control, static_cast<std::size_t>(activate.iItem) + 1);
    if (header.code == NM_DBLCLK) events->OnDoubleClick(control);
  }
}

}  // namespace quellix::win32
