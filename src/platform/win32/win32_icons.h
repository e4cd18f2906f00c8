#pragma once
// The program's icons on Win32, loaded from its resources once per key and size and kept
// until the host goes; and the small-icon size at a given scale.

#include <windows.h>

#include <map>
#include <string>

namespace quellix::win32 {

class Win32Icons {
 public:
  Win32Icons() = default;
  Win32Icons(const Win32Icons&) = delete;
  Win32Icons& operator=(const Win32Icons&) = delete;
  ~Win32Icons();

  // The icon "ICON_<key>" at `size` pixels square; null when the resources have none.
  HICON Get(const std::string& key, int size);
  // The same icon as `icon` at another size; `icon` itself when it is not one of these.
  HICON Resized(HICON icon, int size);

 private:
  std::map<std::string, HICON, std::less<>> by_name_;  // "<key>@<size>"
  std::map<HICON, std::string> keys_;                  // each loaded icon's key
};

// The small-icon size (the notification area's, the menus') at `dpi` dots per inch, as the
// system has it: from the per-scale metrics where the system offers them, else scaled from
// the size it reports for the scale the program started at.
int SmallIconSize(int dpi);
// The screen's scale as the program started with it, in dots per inch (96 when unknown).
int ScreenDpi();

}  // namespace quellix::win32
