#pragma once
// A dialog box made from a template in memory, as an ordinary program shows a notice: a
// window of the dialog class "#32770" with a static text and push buttons.

#include <windows.h>

#include <string>
#include <vector>

namespace quellix::tools {

// The first button's control id; the next ones follow.
inline constexpr int kFirstButtonId = 100;

// Makes the dialog, owned by `owner` (none for 0), shown, its buttons side by side under
// the message. `proc` gets its messages, `param` in WM_INITDIALOG.
HWND MakeDialog(HWND owner, const std::wstring& caption, const std::wstring& message,
                const std::vector<std::wstring>& buttons, DLGPROC proc, LPARAM param);

}  // namespace quellix::tools
