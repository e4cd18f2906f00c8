#pragma once

#include <string>

namespace quellix::platform {

// The current date and time as text, in the user's short-date and time formats.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::string DateText() = 0;
  virtual std::string TimeText() = 0;
};

}  // namespace quellix::platform
