#pragma once
// The window finder on Win32: a child window that shows a crosshair. The user presses the
// left button on it, drags the crosshair (the mouse is captured meanwhile) and lets go over
// a window; the form is then sent kWindowPickedMessage with the finder's control id and the
// top-level window under the cursor (null over none).

#include <windows.h>

namespace quellix::win32 {

inline constexpr wchar_t kWindowFinderClass[] = L"QuellixWindowFinder";
// To the finder's form: wparam the finder's control id, lparam the window picked.
inline constexpr UINT kWindowPickedMessage = WM_APP + 0x52;

void RegisterWindowFinderClass();

}  // namespace quellix::win32
