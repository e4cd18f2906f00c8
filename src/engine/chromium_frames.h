#pragma once
// Frames of today's Chromium-based browsers (Chrome, Edge, Brave, Opera, Vivaldi), burned
// when the user turns them on. Their window class is shared by every other program built on
// the same engine (editors, chat programs), so a window of that class is a browser frame only
// when it is shown and its process runs one of the browsers' programs.

#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "platform/desktop.h"

namespace quellix::engine {

using platform::WindowId;

inline constexpr std::string_view kChromiumClass = "Chrome_WidgetWin_1";  // compared with case
inline constexpr std::string_view kChromiumBrowserName = "Chromium";
// The browsers' program files, compared without case.
inline constexpr std::array<std::string_view, 5> kChromiumPrograms = {"chrome.exe", "msedge.exe", "brave.exe",
                                                                      "opera.exe", "vivaldi.exe"};
inline constexpr std::uint32_t kVisibleStyle = 0x10000000;  // WS_VISIBLE

bool IsChromiumClass(std::string_view class_name);
// True when the file name at the end of the path is one of the browsers' programs.
bool IsChromiumProgram(std::string_view image_path);
bool IsVisible(platform::Desktop& desktop, WindowId window);

// Answers, for the windows met in one walk, whether a Chromium browser's process owns them.
// Each process's program is looked up once. Use a new object for every walk: a process id
// is given to another process once its own has ended.
class ChromiumProcesses {
 public:
  explicit ChromiumProcesses(platform::Desktop& desktop) : desktop_(desktop) {}
  bool OwnsWindow(WindowId window);

 private:
  platform::Desktop& desktop_;
  std::unordered_map<std::uint32_t, bool> browser_by_process_;
};

}  // namespace quellix::engine
