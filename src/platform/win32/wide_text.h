#pragma once
// Text crosses the platform as UTF-8 and reaches Windows through the wide (W) functions in
// UTF-16, so a title, an entry or a folder in any language works whatever the system's ANSI
// code page.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace quellix::win32 {

// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD.
std::wstring Widen(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

// Copies as much of `text` as fits into a buffer of `capacity` units with its NUL, never
// half of a surrogate pair; returns the units copied. Nothing is written when capacity is 0.
std::size_t CopyUnits(std::wstring_view text, wchar_t* buffer, std::size_t capacity);

// A window's whole text in UTF-8.
std::string WindowText(HWND window);

// The system's message for an error code, trimmed of its line end, in UTF-8; "error N" when
// the system has no text for it.
std::string ErrorText(DWORD code);

}  // namespace quellix::win32
