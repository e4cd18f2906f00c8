#include "platform/win32/win32_drawn_button.h"

#include <windowsx.h>

#include <iterator>
#include <utility>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_button_accessible.h"
#include "platform/win32/win32_guard.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {
namespace {

constexpr UINT_PTR kOverTimerId = 1;

// The mouse buttons held, as the model counts them: left 1, right 2, middle 4.
int ButtonsHeld(WPARAM keys) {
  return (keys & MK_LBUTTON ? platform::kMouseLeft : 0) | (keys & MK_RBUTTON ? platform::kMouseRight : 0) |
         (keys & MK_MBUTTON ? platform::kMouseMiddle : 0);
}

// Shift 1 and Ctrl 2 as a mouse message carries them (the model adds Alt).
int MouseShift(WPARAM keys) {
  return (keys & MK_SHIFT ? 1 : 0) | (keys & MK_CONTROL ? 2 : 0);
}

// Shift 1, Ctrl 2, Alt 4.
int ShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

float X(LPARAM at) {
  return static_cast<float>(GET_X_LPARAM(at));
}
float Y(LPARAM at) {
  return static_cast<float>(GET_Y_LPARAM(at));
}

// A window region from its description: an ellipse, or the union of rectangles.
UniqueRegion MakeRegion(const platform::Region& region) {
  if (region.ellipse) {
    const platform::Rect& b = region.bounds;
    return UniqueRegion(CreateEllipticRgn(b.left, b.top, b.right, b.bottom));
  }
  UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
  for (const platform::Rect& r : region.rectangles) {
    const UniqueRegion part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    if (shape && part) CombineRgn(shape.get(), shape.get(), part.get(), RGN_OR);
  }
  return shape;
}

struct Painting {
  explicit Painting(HWND w) : window(w), dc(BeginPaint(w, &paint)) {}
  ~Painting() { EndPaint(window, &paint); }
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;
  HWND window;
  PAINTSTRUCT paint{};
  HDC dc;
};

}  // namespace

void Win32DrawnButton::RegisterWindowClass() {
  // A Unicode window: its text, the caption, is kept in UTF-16 whole.
  WNDCLASSW wc{};
  if (GetClassInfoW(GetModuleHandleW(nullptr), kDrawnButtonClass, &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kDrawnButtonClass;  // no background brush: the button paints all of itself
  RegisterClassW(&wc);
}

Win32DrawnButton::Win32DrawnButton(Token, std::string name, Host host)
    : name_(std::move(name)), host_(std::move(host)), cursor_(LoadCursor(nullptr, IDC_ARROW)) {}

std::shared_ptr<Win32DrawnButton> Win32DrawnButton::Create(const Placement& placement,
                                                           const platform::DrawnControlMaker& drawn_controls,
                                                           Host host) {
  auto button = std::make_shared<Win32DrawnButton>(Token{}, placement.name, std::move(host));
  const RECT& b = placement.bounds;
  // Created hidden: the model is loaded first and shows itself when the window is shown.
  HWND hwnd = CreateWindowExW(0, kDrawnButtonClass, Widen(placement.caption).c_str(),
                              WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON, b.left, b.top,
                              b.right - b.left, b.bottom - b.top, placement.parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                              GetModuleHandleW(nullptr), button.get());
  if (hwnd == nullptr) return nullptr;
  button->canvas_.emplace(hwnd);
  button->control_ = drawn_controls.Make(placement.form, placement.name, *button, *button->canvas_,
                                         placement.caption, placement.enabled, button->host_.click);
  if (button->control_ == nullptr) return nullptr;  // the window goes with the object
  if (placement.visible) ShowWindow(hwnd, SW_SHOWNA);
  return button;
}

std::shared_ptr<Win32DrawnButton> Win32DrawnButton::Of(HWND hwnd) {
  wchar_t name[std::size(kDrawnButtonClass) + 1] = {};
  if (hwnd == nullptr || GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) == 0 ||
      lstrcmpW(name, kDrawnButtonClass) != 0)
    return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId()) return nullptr;  // the class name of another program's window
  auto* bound = reinterpret_cast<Win32DrawnButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return bound != nullptr ? bound->weak_from_this().lock() : nullptr;
}

Win32DrawnButton::~Win32DrawnButton() {
  // A window that outlives its parent's destruction goes now, its messages no longer ours.
  if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK Win32DrawnButton::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    auto* button = static_cast<Win32DrawnButton*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(button));
    button->window_.reset(hwnd);
  }
  auto* bound = reinterpret_cast<Win32DrawnButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // Held for the whole message: a click's handler may destroy the form, and this object with it.
  const std::shared_ptr<Win32DrawnButton> self = bound != nullptr ? bound->weak_from_this().lock() : nullptr;
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->window_.release();  // destroyed with its parent
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return GuardedMessage(hwnd, message, wparam, lparam, [&] { return self->OnMessage(message, wparam, lparam); });
}

LRESULT Win32DrawnButton::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = window_.get();
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT served = ServeButtonAccessible(hwnd, wparam, lparam)) return served;
      break;
    default:
      break;
  }
  if (!control_) return DefWindowProcW(hwnd, message, wparam, lparam);  // still being made
  platform::DrawnControl& button = *control_;
  switch (message) {
    case WM_MOUSEMOVE:
      button.OnMouseMove(ButtonsHeld(wparam), MouseShift(wparam), X(lparam), Y(lparam));
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown(platform::kMouseLeft, wparam, lparam);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(platform::kMouseLeft, wparam, lparam);
      return 0;
    case WM_LBUTTONDBLCLK:
      button.OnDoubleClick();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnButtonDown(platform::kMouseRight, wparam, lparam);
      return 0;
    case WM_RBUTTONUP:
      OnButtonUp(platform::kMouseRight, wparam, lparam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnButtonDown(platform::kMouseMiddle, wparam, lparam);
      return 0;
    case WM_MBUTTONUP:
      OnButtonUp(platform::kMouseMiddle, wparam, lparam);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != hwnd) {
        pressed_ = false;  // a press taken away is no click
        button.OnCaptureLost();
      }
      return 0;
    case WM_KEYDOWN:
      button.OnKeyDown(static_cast<int>(wparam), ShiftState());
      return 0;
    case WM_KEYUP:
      button.OnKeyUp(static_cast<int>(wparam), ShiftState());
      return 0;
    case WM_CHAR:
      button.OnKeyPress(static_cast<int>(wparam));  // a UTF-16 unit
      return 0;
    case WM_SETFOCUS:
      button.OnFocus(true);
      return 0;
    case WM_KILLFOCUS:
      button.OnFocus(false);
      return 0;
    case WM_TIMER:
      if (wparam == kOverTimerId) button.OnTimer();
      return 0;
    case WM_SIZE:
      button.OnResize();
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      button.OnSystemColorsChanged();
      return 0;
    case WM_SHOWWINDOW:
      if (lparam == 0) button.OnShow(wparam != 0);
      break;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && cursor_ != nullptr) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_SETTEXT: {
      // The window text is the caption.
      const LRESULT set = DefWindowProcW(hwnd, message, wparam, lparam);
      if (set && lparam != 0) button.SetCaption(Narrow(reinterpret_cast<const wchar_t*>(lparam)));
      return set;
    }
    case BM_CLICK:
      // As a push button does: a press and a release of the left button on the button.
      SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
      return 0;
    case BM_GETSTATE:
      return PushButtonState();
    case BM_GETCHECK:
      return control_->State().checked ? BST_CHECKED : BST_UNCHECKED;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32DrawnButton::OnPaint() {
  const Painting painting(window_.get());
  if (canvas_) {
    canvas_->Paint(painting.dc, painting.paint.rcPaint);
  } else {
    FillRect(painting.dc, &painting.paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void Win32DrawnButton::OnButtonDown(int mouse_button, WPARAM keys, LPARAM at) {
  HWND hwnd = window_.get();
  if (mouse_button == platform::kMouseLeft) {
    // Clicking a button gives it the focus; the model keeps the mouse until the release.
    if (IsWindowEnabled(hwnd)) SetFocus(hwnd);
    pressed_ = true;
  }
  control_->OnMouseDown(mouse_button, MouseShift(keys), X(at), Y(at));
}

void Win32DrawnButton::OnButtonUp(int mouse_button, WPARAM keys, LPARAM at) {
  HWND hwnd = window_.get();
  bool click = false;
  if (mouse_button == platform::kMouseLeft) {
    // The window system's click: the press and the release both on the button.
    RECT client;
    GetClientRect(hwnd, &client);
    click = pressed_ && PtInRect(&client, POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)});
    pressed_ = false;
  }
  platform::DrawnControl& button = *control_;
  button.OnMouseUp(mouse_button, MouseShift(keys), X(at), Y(at));  // the model gives the capture up
  if (click) button.OnClick();  // its handler may destroy the window: nothing follows
}

LRESULT Win32DrawnButton::PushButtonState() const {
  const platform::PushButtonState state = control_->State();
  return (state.pushed ? BST_PUSHED : 0) | (state.checked ? BST_CHECKED : 0) |
         (state.focused ? BST_FOCUS : 0) | (state.hot ? BST_HOT : 0);
}

// --- platform::ControlWindow.

std::uint32_t Win32DrawnButton::Handle() {
  return Low32(window_.get());
}

platform::Size Win32DrawnButton::ClientSize() {
  RECT r{};
  GetClientRect(window_.get(), &r);
  return {r.right, r.bottom};
}

void Win32DrawnButton::SetEnabled(bool enabled) {
  EnableWindow(window_.get(), enabled);
}

void Win32DrawnButton::SetRegion(const platform::Region& region) {
  UniqueRegion shape = MakeRegion(region);
  // The window takes the region over when it accepts it.
  if (shape && SetWindowRgn(window_.get(), shape.get(), TRUE)) shape.release();
}

void Win32DrawnButton::Repaint() {
  InvalidateRect(window_.get(), nullptr, FALSE);
  UpdateWindow(window_.get());
}

void Win32DrawnButton::CaptureMouse() {
  SetCapture(window_.get());
}

void Win32DrawnButton::ReleaseMouse() {
  if (GetCapture() == window_.get()) ReleaseCapture();
}

bool Win32DrawnButton::AltHeld() {
  return GetKeyState(VK_MENU) < 0;
}

void Win32DrawnButton::MoveFocus(bool forward) {
  HWND hwnd = window_.get();
  if (HWND next = GetNextDlgTabItem(GetParent(hwnd), hwnd, !forward)) SetFocus(next);
}

bool Win32DrawnButton::SetMousePointer(int code) {
  if (code != platform::kPointerDefault && code != platform::kPointerArrow &&
      code != platform::kPointerCustom)
    return false;
  pointer_code_ = code;
  cursor_ = code == platform::kPointerCustom && icon_cursor_ != nullptr ? icon_cursor_
                                                                        : LoadCursor(nullptr, IDC_ARROW);
  return true;
}

bool Win32DrawnButton::SetMouseIcon(const platform::Picture& icon) {
  if (!icon.Empty() && icon != platform::kHandPointerIcon)
    return false;  // the program has no pointer icons of its own
  icon_cursor_ = icon.Empty() ? nullptr : LoadCursor(nullptr, IDC_HAND);
  return SetMousePointer(pointer_code_);
}

void Win32DrawnButton::SetHeight(int height) {
  RECT r{};
  GetWindowRect(window_.get(), &r);
  SetWindowPos(window_.get(), nullptr, 0, 0, r.right - r.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32DrawnButton::CursorOverWindow() {
  POINT at;
  return GetCursorPos(&at) && WindowFromPoint(at) == window_.get();
}

void Win32DrawnButton::StartTimer(unsigned interval_ms) {
  SetTimer(window_.get(), kOverTimerId, interval_ms, nullptr);
}

void Win32DrawnButton::StopTimer() {
  KillTimer(window_.get(), kOverTimerId);
}

platform::OleColor Win32DrawnButton::BackColor() {
  return platform::SystemColorRef(platform::SystemColor::kButtonFace);  // the forms' background
}

platform::OleColor Win32DrawnButton::ForeColor() {
  return platform::SystemColorRef(platform::SystemColor::kButtonText);
}

platform::Rgb Win32DrawnButton::SystemRgb(platform::SystemColor index) {
  return GetSysColor(static_cast<int>(index));
}

void Win32DrawnButton::LetPendingEventsRun() {
  if (host_.let_events_run) host_.let_events_run();
}

platform::PixelBlock Win32DrawnButton::ParentPixels(platform::Size size) {
  HWND hwnd = window_.get();
  HWND parent = GetParent(hwnd);
  POINT at{0, 0};
  MapWindowPoints(hwnd, parent, &at, 1);
  const UniqueWindowDc dc = WindowDcOf(parent);
  return dc ? Win32Canvas::Capture(dc.get().dc, at, size) : platform::PixelBlock(size.width, size.height);
}

}  // namespace quellix::win32
