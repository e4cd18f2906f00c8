#pragma once

#include <string>

namespace quellix::platform {

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts playing a wave file and returns at once; a new sound cuts off the one playing.
  // A missing or unreadable file plays nothing, not even a default sound.
  virtual void PlayWaveAsync(const std::string& path) = 0;
};

}  // namespace quellix::platform
