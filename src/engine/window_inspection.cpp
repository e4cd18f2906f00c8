#include "engine/window_inspection.h"

#include <algorithm>

#include "text/text.h"
#include "text/utf8.h"

namespace quellix::engine {

std::string ReadWindowClass(platform::Desktop& desktop, WindowId window) {
  return desktop.ClassName(window, kClassBufferSize);
}

std::size_t LastDash(std::string_view caption) {
  const std::size_t hyphen = caption.rfind('-');
  const std::size_t em_dash = caption.rfind(kEmDash);
  if (hyphen == std::string_view::npos) return em_dash;
  if (em_dash == std::string_view::npos) return hyphen;
  return std::max(hyphen, em_dash);
}

std::string TitleFromCaption(std::string caption) {
  const std::size_t dash = LastDash(caption);
  // A dash after the first character cuts off itself and the character before it.
  if (dash != std::string::npos && dash >= 1) caption.resize(text::StartOfCharacterBefore(caption, dash));
  return caption;
}

std::string ReadWindowCaption(platform::Desktop& desktop, WindowId window, std::size_t units) {
  std::string caption = desktop.Text(window, units);
  // The caption ends at its first NUL, whatever the platform copied.
  caption.resize(std::min(caption.find('\0'), caption.size()));
  return caption;
}

std::string ReadWindowTitle(platform::Desktop& desktop, WindowId window) {
  // One read into the title buffer gives what sizing the buffer to the caption first would:
  // at most 99 UTF-16 units.
  return TitleFromCaption(ReadWindowCaption(desktop, window, kTitleBufferSize));
}

std::string FirstTitleUnits(std::string title) {
  title.resize(text::FirstUtf16Units(title, kTitleBufferSize - 1).size());
  return title;
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
bool IsMozillaClass(std::string_view class_name) {
  return class_name.size() == kMozillaClass.size() &&
         std::equal(class_name.begin(), class_name.end(), kMozillaClass.begin(),
                    [](char c, char lower) { return text::LowerChar(c) == lower; });
}

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

bool SupportedFrame(double ie, double netscape, bool is_ie, bool is_mozilla) {
  if (ie == 1 && netscape == 0) return is_ie;
  if (ie == 0 && netscape == 1) return is_mozilla;
  if (ie == 1 && netscape == 1) return is_ie || is_mozilla;
  return false;
}

}  // namespace quellix::engine
