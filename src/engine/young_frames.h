#pragma once
// The rules a browser frame that burns with all its tabs is held to: today's Firefox frames
// and the Chromium browsers' frames (browser_frames.h). A burn closes such a frame with
// every tab in it, so beside its switch only a young frame burns (a pop-up is named within
// moments of opening, while the user's own browser window lives on and its tabs may later
// show a page whose title a block entry matches, or, in Firefox, take a pop-up's title as a
// tab), only a shown one, and a blank entry (an empty one is contained in every title) never
// burns one.

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "engine/block_entries.h"
#include "engine/browser_frames.h"
#include "platform/desktop.h"

namespace quellix::engine {

using platform::WindowId;

// How long a frame stays young: from the moment the burn cycle first met it.
inline constexpr std::uint64_t kYoungFrameMs = 10000;

// When the burn cycle first met each window of the Chromium and Mozilla classes on the
// desktop, and so whether it is young. Windows gone from the desktop are forgotten, so what is kept never
// outgrows the desktop. Times are monotonic milliseconds.
class FrameAges {
 public:
  // A walk of the burn cycle begins. The program's first walk, and a walk after the cycle
  // has not looked for longer than a frame stays young (burning off or paused, the main
  // window open), cannot tell how long the windows it has not met before have been open:
  // it meets them as old.
  void StartWalk(std::uint64_t now_ms);
  // The walk meets a window of either class; its first meeting is kept.
  void Meet(WindowId window);
  // The walk is over: windows it did not meet and that are gone from the desktop are forgotten.
  void EndWalk(platform::Desktop& desktop);

  // May this frame burn now, by its age? Only while young: first met less than
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

// Whether a young-rule frame burns now, by every rule such a frame is held to beside its
// switch: it is young, its title holds a block entry that is not blank, and it is shown.
// The burn cycle and the preview of an entry judge by it alike. Checks run cheapest first.
// One object serves one walk.
class YoungFrameRule {
 public:
  YoungFrameRule(platform::Desktop& desktop, const FrameAges& ages, std::uint64_t now_ms)
      : desktop_(desktop), ages_(ages), now_ms_(now_ms) {}

  bool Young(WindowId window) const { return ages_.MayBurn(window, now_ms_); }
  // A frame that may burn now, whatever its title: young and shown.
  bool MayBurn(WindowId window) const { return Young(window) && IsVisible(desktop_, window); }
  // The title holds an entry of `entries` that is not blank.
  bool Blocks(const BlockEntries& entries, std::string_view title) const;
  // All of it: the frame may burn now and its title is blocked.
  bool BurnsNow(WindowId window, std::string_view title, const BlockEntries& entries) const;

 private:
  platform::Desktop& desktop_;
  const FrameAges& ages_;
  std::uint64_t now_ms_;
};

}  // namespace quellix::engine
