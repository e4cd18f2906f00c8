#include "engine/window_processes.h"

#include <iterator>

namespace quellix::engine {

std::uint32_t WindowProcesses::ProcessOf(platform::Desktop& desktop, WindowId window) {
  const auto known = windows_.find(window);
  if (known != windows_.end()) {
    known->second.walk = walk_;
    return known->second.process;
  }
  const std::uint32_t process = desktop.ProcessId(window);
  if (process != 0) windows_.emplace(window, Entry{process, walk_});
  return process;
}

void WindowProcesses::EndWalk() {
  for (auto it = windows_.begin(); it != windows_.end();)
    it = it->second.walk == walk_ ? std::next(it) : windows_.erase(it);
}

}  // namespace quellix::engine
