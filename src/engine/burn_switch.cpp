#include "engine/burn_switch.h"

namespace quellix::engine {

bool BurnSwitch::Toggle() {
  if (value_ == 1) {
    value_ = 0;
  } else if (value_ == 0) {
    value_ = 1;
  }
  const bool ended = pause_ends_ms_.has_value();
  pause_ends_ms_.reset();
  return ended;
}

void BurnSwitch::Pause(std::uint64_t until_ms, std::string until) {
  value_ = 0;  // as the toggle stops burning
  pause_ends_ms_ = until_ms;
  pause_until_ = std::move(until);
}

bool BurnSwitch::EndPauseIfOver(std::uint64_t now_ms) {
  if (!pause_ends_ms_ || now_ms < *pause_ends_ms_) return false;
  pause_ends_ms_.reset();
  if (value_ == 0) value_ = 1;
  return true;
}

}  // namespace quellix::engine
