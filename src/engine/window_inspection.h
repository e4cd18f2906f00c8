#pragma once
// The few operations on foreign windows the whole product rests on (the Killer and Window
// modules in the product's own terms).

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/desktop.h"

namespace quellix::engine {

using platform::WindowId;

inline constexpr std::string_view kIeFrameClass = "IEFrame";             // compared with case
inline constexpr std::string_view kMozillaClass = "mozillawindowclass";  // compared without case
inline constexpr std::string_view kIeBrowserName = "Internet Explorer";
inline constexpr std::string_view kMozillaBrowserName = "Netscape / Mozilla";
// The title of the browser's own error page; never offered as an open window.
inline constexpr std::string_view kCannotFindServer = "Cannot find server";

inline constexpr std::size_t kClassBufferSize = 100;
inline constexpr std::size_t kTitleBufferSize = 100;  // titles are at most 99 UTF-16 units
// A whole caption, for telling by its end which browser wrote it.
inline constexpr std::size_t kWholeCaptionBufferSize = 32768;

inline constexpr std::uint32_t kMaximizeBox = 0x00010000;  // WS_MAXIMIZEBOX
inline constexpr std::uint32_t kMinimizeBox = 0x00020000;  // WS_MINIMIZEBOX
inline constexpr std::uint32_t kDialogFrame = 0x00400000;  // WS_DLGFRAME: the title-bar half of WS_CAPTION

// The browsers put their own name after the page's, behind a dash: an ASCII hyphen for
// Internet Explorer, Netscape and the Chromium browsers, an em dash (U+2014) for today's
// Firefox ("Page — Mozilla Firefox").
inline constexpr std::string_view kEmDash = "\xE2\x80\x94";

std::string ReadWindowClass(platform::Desktop& desktop, WindowId window);
// The caption cut before the character that precedes its last dash ("-" or the em dash,
// whichever comes last), at most 99 UTF-16 units.
std::string ReadWindowTitle(platform::Desktop& desktop, WindowId window);
// The caption as read into a buffer of `units` UTF-16 units, up to its first NUL.
std::string ReadWindowCaption(platform::Desktop& desktop, WindowId window, std::size_t units);
// The title rule on a caption already read.
std::string TitleFromCaption(std::string caption);
// At most the 99 UTF-16 units a title holds.
std::string FirstTitleUnits(std::string title);
// Where the caption's last dash, "-" or the em dash, begins; npos when it has none.
std::size_t LastDash(std::string_view caption);

bool HasMaxButton(platform::Desktop& desktop, WindowId window);
bool HasMinButton(platform::Desktop& desktop, WindowId window);
bool HasTitleBar(platform::Desktop& desktop, WindowId window);

bool IsIeClass(std::string_view class_name);
bool IsMozillaClass(std::string_view class_name);

// Steps through the z-order from the first window at the level of `anchor`. The z-order
// changes while it is walked; a walk that comes back to a window it has already visited
// ends there, so a reordering can never make it run forever.
class ZOrderWalk {
 public:
  ZOrderWalk(platform::Desktop& desktop, WindowId anchor);
  WindowId Current() const { return current_; }
  // Moves to the next window; false (and Current() 0) after the last.
  bool Next();

 private:
  platform::Desktop& desktop_;
  WindowId current_;
  std::unordered_set<WindowId> visited_;
};

// Burns a window: asks it to close. The only way the product closes a foreign window.
void CloseWindow(platform::Desktop& desktop, WindowId window);

// Which browser frames the support switches "0" (IE) and "1" (Netscape / Mozilla), read as
// numbers, let the burn cycle burn. Any value other than 0 or 1 in either burns nothing.
bool SupportedFrame(double ie, double netscape, bool is_ie, bool is_mozilla);

}  // namespace quellix::engine
