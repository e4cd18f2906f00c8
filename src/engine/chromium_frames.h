#pragma once
// Frames of today's Chromium-based browsers (Chrome, Edge, Brave, Opera, Vivaldi), burned
// when the user turns them on. Their window class is shared by every other program built on
// the same engine (editors, chat programs), so a window of that class is a browser frame only
// when it is shown and its process runs one of the browsers' programs.
//
// A burn closes such a frame with every tab in it, so these frames are held to two more
// rules than the older browsers' frames: only a young frame burns (a pop-up is named within
// moments of opening, while the user's own browser window lives on and its tabs may later
// show a page whose title a block entry matches), and a blank entry (an empty one is
// contained in every title) never burns one.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "engine/block_entries.h"
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

// How long a Chromium frame stays young: from the moment the burn cycle first met it.
inline constexpr std::uint64_t kYoungFrameMs = 10000;

// When the burn cycle first met each window of the Chromium class on the desktop, and so
// whether it is young. Windows gone from the desktop are forgotten, so what is kept never
// outgrows the desktop. Times are monotonic milliseconds.
class ChromiumFrameAges {
 public:
  // A walk of the burn cycle begins. The program's first walk, and a walk after the cycle
  // has not looked for longer than a frame stays young (burning off or paused, the main
  // window open), cannot tell how long the windows it has not met before have been open:
  // it meets them as old.
  void StartWalk(std::uint64_t now_ms);
  // The walk meets a window of the Chromium class; its first meeting is kept.
  void Meet(WindowId window);
  // The walk is over: windows it did not meet and that are gone from the desktop are forgotten.
  void EndWalk(platform::Desktop& desktop);

  // May this Chromium frame burn now, by its age? Only while young: first met less than
  // kYoungFrameMs before `now_ms`, by a walk that knew what was open before it. A window
  // no walk has met yet is judged as the next walk would meet it.
  bool MayBurn(WindowId window, std::uint64_t now_ms) const;
  // Windows remembered now.
  std::size_t Known() const { return windows_.size(); }

 private:
  struct Meeting {
    std::uint64_t first_ms = 0;
    bool new_then = false;  // met first by a walk that followed the one before closely
    std::uint64_t last_walk = 0;
  };
  bool Watching(std::uint64_t now_ms) const;

  std::unordered_map<WindowId, Meeting> windows_;
  std::optional<std::uint64_t> last_walk_ms_;
  std::uint64_t walk_ = 0;
  std::uint64_t walk_ms_ = 0;
  bool walk_watched_ = false;  // the walk under way follows the one before closely
};

// Whether a window of the Chromium class burns now, by every rule such a frame is held to
// beside the switch: it is young, its title holds a block entry that is not blank, it is
// shown, and a browser's process owns it. The burn cycle and the preview of an entry judge
// by it alike. Checks run cheapest first. One object serves one walk.
class ChromiumBurnRule {
 public:
  ChromiumBurnRule(platform::Desktop& desktop, const ChromiumFrameAges& ages, std::uint64_t now_ms)
      : desktop_(desktop), ages_(ages), now_ms_(now_ms), processes_(desktop) {}

  bool Young(WindowId window) const { return ages_.MayBurn(window, now_ms_); }
  // A browser frame that may burn now, whatever its title: young, shown, a browser's.
  bool MayBurn(WindowId window);
  // The title (as ReadWindowTitle gives it) holds an entry of `entries` that is not blank.
  bool Blocks(const BlockEntries& entries, std::string_view title) const;
  // All of it: the window may burn now and its title is blocked.
  bool BurnsNow(WindowId window, std::string_view title, const BlockEntries& entries);

 private:
  platform::Desktop& desktop_;
  const ChromiumFrameAges& ages_;
  std::uint64_t now_ms_;
  ChromiumProcesses processes_;
};

}  // namespace quellix::engine
