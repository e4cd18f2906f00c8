#pragma once

#include <cstdint>
#include <string>

namespace quellix::platform {

// The current date and time as text, in the user's short-date and time formats, in UTF-8 (a
// format may name a month or mark the afternoon in any script).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::string DateText() = 0;
  virtual std::string TimeText() = 0;
  // The local date as "yyyy-MM-dd", whatever the user's format.
  virtual std::string IsoDateText() = 0;
  // The local time of day as "HH:MM:SS", 24-hour, whatever the user's format.
  virtual std::string ClockTime() = 0;
  // Milliseconds from an arbitrary start, never going back: for waiting, not for showing.
  virtual std::uint64_t MonotonicMs() = 0;
};

}  // namespace quellix::platform
