#include "engine/window_inspection.h"

#include <algorithm>

#include "engine/chromium_frames.h"
#include "text/text.h"

namespace quellix::engine {

std::string ReadWindowClass(platform::Desktop& desktop, WindowId window) {
  return desktop.ClassName(window, kClassBufferSize);
}

std::string TitleFromCaption(std::string caption) {
  const auto dash = caption.rfind('-');
  // A dash at position 2 or later (1-based) cuts off itself and the character before it.
  if (dash != std::string::npos && dash >= 1) caption.resize(dash - 1);
  return caption;
}

std::string ReadWindowTitle(platform::Desktop& desktop, WindowId window) {
  // One read into the title buffer gives what sizing the buffer to the caption first would:
  // at most 99 characters.
  std::string caption = desktop.Text(window, kTitleBufferSize);
  // The caption ends at its first NUL, whatever the platform copied.
  caption.resize(std::min(caption.find('\0'), caption.size()));
  return TitleFromCaption(std::move(caption));
}

bool HasMaxButton(platform::Desktop& desktop, WindowId window) {
  return (desktop.Style(window) & kMaximizeBox) != 0;
}
bool HasMinButton(platform::Desktop& desktop, WindowId window) {
  return (desktop.Style(window) & kMinimizeBox) != 0;
}
bool HasTitleBar(platform::Desktop& desktop, WindowId window) {
  return (desktop.Style(window) & kDialogFrame) != 0;
}

bool IsIeClass(std::string_view class_name) { return class_name == kIeFrameClass; }
bool IsMozillaClass(std::string_view class_name) { return text::LowerCase(class_name) == kMozillaClass; }

ZOrderWalk::ZOrderWalk(platform::Desktop& desktop, WindowId anchor)
    : desktop_(desktop), current_(desktop.FirstWindow(anchor)) {
  if (current_ != 0) visited_.insert(current_);
}

bool ZOrderWalk::Next() {
  if (current_ == 0) return false;
  current_ = desktop_.NextWindow(current_);
  if (current_ != 0 && !visited_.insert(current_).second) current_ = 0;
  return current_ != 0;
}

void CloseWindow(platform::Desktop& desktop, WindowId window) { desktop.PostClose(window); }

std::vector<std::string> ListOpenBrowserWindows(platform::Desktop& desktop, WindowId anchor,
                                                bool chromium_frames) {
  std::vector<std::string> titles;
  ChromiumProcesses chromium_processes(desktop);
  auto offer = [&](WindowId window, bool as_ie, bool as_mozilla, bool as_chromium) {
    const std::string class_name = ReadWindowClass(desktop, window);
    const bool chromium = as_chromium && IsChromiumClass(class_name);
    if (!(as_ie && IsIeClass(class_name)) && !(as_mozilla && IsMozillaClass(class_name)) && !chromium) return;
    if (chromium && !IsVisible(desktop, window)) return;
    std::string title = ReadWindowTitle(desktop, window);
    if (title == kCannotFindServer) return;
    // The browsers' untitled menus and bubbles would be dropped as blank anyway: no process
    // look-up for them.
    if (chromium && (text::TrimBlanks(title).empty() || !chromium_processes.OwnsWindow(window))) return;
    titles.push_back(std::move(title));
  };
  ZOrderWalk walk(desktop, anchor);
  if (walk.Current() != 0) offer(walk.Current(), /*as_ie=*/true, /*as_mozilla=*/false, /*as_chromium=*/false);
  while (walk.Next()) offer(walk.Current(), true, true, chromium_frames);
  std::erase_if(titles, [](const std::string& t) { return text::TrimBlanks(t).empty(); });
  return titles;
}

bool SupportedFrame(double ie, double netscape, bool is_ie, bool is_mozilla) {
  if (ie == 1 && netscape == 0) return is_ie;
  if (ie == 0 && netscape == 1) return is_mozilla;
  if (ie == 1 && netscape == 1) return is_ie || is_mozilla;
  return false;
}

}  // namespace quellix::engine
