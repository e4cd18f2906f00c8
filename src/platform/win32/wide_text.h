#pragma once
// Paths cross the platform as UTF-8 and reach Windows through the wide (W) functions, so a
// folder named in any language works whatever the system's ANSI code page.

#include <windows.h>

#include <string>
#include <string_view>

namespace quellix::win32 {

// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD.
std::wstring Widen(std::string_view utf8);
// Text in the system's ANSI code page to UTF-16.
std::wstring WidenAnsi(std::string_view ansi);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

// The system's message for an error code, trimmed of its line end, in UTF-8; "error N" when
// the system has no text for it.
std::string ErrorText(DWORD code);

}  // namespace quellix::win32
