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
inline constexpr std::size_t kTitleBufferSize = 100;  // titles are at most 99 characters

inline constexpr std::uint32_t kMaximizeBox = 0x00010000;  // WS_MAXIMIZEBOX
inline constexpr std::uint32_t kMinimizeBox = 0x00020000;  // WS_MINIMIZEBOX
inline constexpr std::uint32_t kDialogFrame = 0x00400000;  // WS_DLGFRAME: the title-bar half of WS_CAPTION

std::string ReadWindowClass(platform::Desktop& desktop, WindowId window);
// The caption cut before the character that precedes its last dash, at most 99 characters.
std::string ReadWindowTitle(platform::Desktop& desktop, WindowId window);
// The title rule on a caption already read.
std::string TitleFromCaption(std::string caption);

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

// Titles of the browser frames open now, topmost first, duplicates kept, without the
// browser's error page and without blank titles. The walk starts at the first window at
// the level of `anchor`, which is tested as an Internet Explorer frame only. With
// `chromium_frames`, the frames of Chromium browsers after the first window count too.
std::vector<std::string> ListOpenBrowserWindows(platform::Desktop& desktop, WindowId anchor,
                                                bool chromium_frames = false);

// Which browser frames the support switches "0" (IE) and "1" (Netscape / Mozilla), read as
// numbers, let the burn cycle burn. Any value other than 0 or 1 in either burns nothing.
bool SupportedFrame(double ie, double netscape, bool is_ie, bool is_mozilla);

}  // namespace quellix::engine
