#pragma once
// What the files of the Win32 user-interface host share: window classes, the form style,
// the menu icon size and the 32-bit handle values the notification record holds.

#include <windows.h>

#include <cstdint>

namespace quellix::win32 {

// Every window of the host is a Unicode window, so its texts are kept in UTF-16 whole.
inline constexpr wchar_t kFormClass[] = L"QuellixForm";
inline constexpr wchar_t kFrameClass[] = L"QuellixFrame";
// The window property that binds a form's window to its host.
inline constexpr wchar_t kHostProperty[] = L"QuellixUi";
inline constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr int kMenuIconSize = 16;
// WM_DPICHANGED, which the headers define only for newer target versions.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
// Posted to a form when rows were added to one of its list views (wparam: the list's id).
inline constexpr UINT kListRowsMessage = WM_APP + 0x51;
// Answered by the tray host window with the live GDI object count (GdiObjectCount), for
// tests that watch the program for leaks from outside (tools/product_probe.cpp).
inline constexpr wchar_t kGdiCountMessage[] = L"QuellixLiveGdiObjects";

inline std::uint32_t Low32(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}
// Window and icon handles are 32-bit values, sign-extended on 64-bit Windows.
template <typename H>
H FromLow32(std::uint32_t value) {
  return reinterpret_cast<H>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

}  // namespace quellix::win32
