#pragma once
// The process of each window the rules have met, kept from walk to walk. A window's process
// never changes while it exists, so a walk asks the system only about the windows that are
// new since the walk before: on a desktop of hundreds of windows, where each question is a
// round trip to the window system, that is what keeps judging by program cheap.

#include <cstdint>
#include <unordered_map>

#include "platform/desktop.h"

namespace quellix::engine {

class WindowProcesses {
 public:
  using WindowId = platform::WindowId;

  void StartWalk() { ++walk_; }
  // The process that owns the window; 0 when the window is gone.
  std::uint32_t ProcessOf(platform::Desktop& desktop, WindowId window);
  // The walk is over: the windows it did not meet are forgotten (a window that is gone is
  // met by no walk, so its id, should it ever come again, is asked about anew).
  void EndWalk();
  std::size_t Known() const { return windows_.size(); }

 private:
  struct Entry {
    std::uint32_t process = 0;
    std::uint64_t walk = 0;  // the last walk that met it
  };
  std::unordered_map<WindowId, Entry> windows_;
  std::uint64_t walk_ = 0;
};

}  // namespace quellix::engine
