#include "engine/young_frames.h"

namespace quellix::engine {

bool FrameAges::Watching(std::uint64_t now_ms) const {
  return last_walk_ms_.has_value() && now_ms >= *last_walk_ms_ && now_ms - *last_walk_ms_ <= kYoungFrameMs;
}

void FrameAges::StartWalk(std::uint64_t now_ms) {
  walk_watched_ = Watching(now_ms);
  last_walk_ms_ = now_ms;
  walk_ms_ = now_ms;
  ++walk_;
}

void FrameAges::Meet(WindowId window) {
  const auto [it, first] = windows_.try_emplace(window, Meeting{walk_ms_, walk_watched_, walk_});
  if (!first) it->second.last_walk = walk_;
}

void FrameAges::EndWalk(platform::Desktop& desktop) {
  // A window the walk missed while the z-order changed is kept as long as it is there: met
  // again later as new, it would be young once more.
  std::erase_if(windows_, [&](const auto& known) {
    return known.second.last_walk != walk_ && desktop.ProcessId(known.first) == 0;
  });
}

bool FrameAges::MayBurn(WindowId window, std::uint64_t now_ms) const {
  const auto known = windows_.find(window);
  if (known == windows_.end()) return Watching(now_ms);
  const Meeting& meeting = known->second;
  return meeting.new_then && now_ms >= meeting.first_ms && now_ms - meeting.first_ms < kYoungFrameMs;
}

bool YoungFrameRule::Blocks(const BlockEntries& entries, std::string_view title) const {
  return entries.IsBlockedByWordedEntry(title);
}

bool YoungFrameRule::BurnsNow(WindowId window, std::string_view title, const BlockEntries& entries) const {
  return Young(window) && Blocks(entries, title) && IsVisible(desktop_, window);
}

}  // namespace quellix::engine
