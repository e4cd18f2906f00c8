#pragma once
// The one boundary between the window system and the program's handlers: a handler that
// throws must not unwind through the system's frames (which is undefined), so each window
// procedure and callback runs its handler through Guarded. The failure is told to a debugger
// and the message gets the default answer, so the window goes on working.

#include <windows.h>

#include <exception>
#include <string>

namespace quellix::win32 {

inline void TellHandlerFailed(const char* what) noexcept {
  std::string line = "Quellix: a message handler failed: ";
  try {
    line += what;
    line += "\n";
    OutputDebugStringA(line.c_str());
  } catch (...) {
    OutputDebugStringA("Quellix: a message handler failed\n");
  }
}

// Runs `handle()`; when it throws, tells so and returns `otherwise()` instead.
template <typename Handle, typename Otherwise>
auto Guarded(Handle&& handle, Otherwise&& otherwise) noexcept -> decltype(handle()) {
  try {
    return handle();
  } catch (const std::exception& failure) {
    TellHandlerFailed(failure.what());
  } catch (...) {
    TellHandlerFailed("an unknown exception");
  }
  try {
    return otherwise();
  } catch (...) {
    return decltype(handle())();
  }
}

// A window procedure's handler, with the window's default answer when it throws.
template <typename Handle>
LRESULT GuardedMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, Handle&& handle) noexcept {
  return Guarded(std::forward<Handle>(handle), [&] { return DefWindowProcW(hwnd, message, wparam, lparam); });
}

}  // namespace quellix::win32
