#include "platform/win32/win32_window_finder.h"

#include "platform/win32/win32_guard.h"

namespace quellix::win32 {
namespace {

constexpr LONG_PTR kDragging = 1;  // the window's user data while the crosshair is dragged

HCURSOR Crosshair() { return LoadCursor(nullptr, IDC_CROSS); }

void Paint(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
  // While dragged, the crosshair is the cursor: the place it left stays empty.
  if (GetWindowLongPtrW(hwnd, GWLP_USERDATA) != kDragging) {
    const int size = GetSystemMetrics(SM_CXCURSOR);
    DrawIconEx(dc, (r.right - size) / 2, (r.bottom - size) / 2, Crosshair(), size, size, 0, nullptr, DI_NORMAL);
  }
  EndPaint(hwnd, &paint);
}

LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      SetCursor(Crosshair());
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, kDragging);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == hwnd) SetCursor(Crosshair());
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() != hwnd) return 0;
      POINT at;
      GetCursorPos(&at);
      ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
      HWND under = WindowFromPoint(at);
      HWND picked = under != nullptr ? GetAncestor(under, GA_ROOT) : nullptr;
      PostMessageW(GetParent(hwnd), kWindowPickedMessage, static_cast<WPARAM>(GetDlgCtrlID(hwnd)),
                   reinterpret_cast<LPARAM>(picked));
      return 0;
    }
    case WM_CAPTURECHANGED:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

LRESULT CALLBACK FinderProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return GuardedMessage(hwnd, message, wparam, lparam, [&] { return Handle(hwnd, message, wparam, lparam); });
}

}  // namespace

void RegisterWindowFinderClass() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = FinderProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowFinderClass;
  RegisterClassW(&wc);
}

}  // namespace quellix::win32
