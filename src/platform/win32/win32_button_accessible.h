#pragma once
// What accessibility clients (screen readers, UI Automation through its MSAA bridge) see of a
// drawn button: a push button with the caption as its name, its state read from the window
// (BM_GETSTATE and the window's enabled, visible and focus state), Alt and its access key as
// its shortcut, and "Press" as its default action, which posts BM_CLICK.
//
// The window system's own proxy for a window of a class it does not know reports a plain
// client area with no default action, so the button serves this small object itself.

#include <windows.h>

namespace quellix::win32 {

// The answer to WM_GETOBJECT: the push button's object for OBJID_CLIENT, 0 for any other
// object, which the default window procedure then serves. Needs COM on the calling thread.
LRESULT ServeButtonAccessible(HWND button, WPARAM flags, LPARAM object_id);

}  // namespace quellix::win32
