#pragma once
// The small simulated services: clock, sound, message boxes; and the whole simulated platform.

#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_code_page.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_registry.h"

namespace quellix::sim {

class SimClock final : public platform::Clock {
 public:
  std::string date = "12/7/2026";
  std::string time = "11:15:02 PM";
  std::string DateText() override { return date; }
  std::string TimeText() override { return time; }
};

class SimSound final : public platform::Sound {
 public:
  std::vector<std::string> played;
  void PlayWaveAsync(const std::string& path) override { played.push_back(path); }
};

class SimMessageBoxes final : public platform::MessageBoxes {
 public:
  struct Shown {
    std::string text;
    std::string title;
    platform::MessageIcon icon;
    platform::MessageButtons buttons;
  };
  std::vector<Shown> shown;
  // Answers given to the next boxes, in order; a box with no scripted answer gets OK or No.
  std::deque<platform::MessageAnswer> answers;

  platform::MessageAnswer Show(const std::string& text, const std::string& title, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;
};

// Every simulated service, ready to hand to the core.
struct SimPlatform {
  SimDesktop desktop;
  SimRegistry registry;
  SimClock clock;
  SimSound sound;
  SimFiles files;
  SimMessageBoxes messages;
  SimCodePage code_page;

  platform::Services Services() { return {desktop, registry, clock, sound, files, messages, code_page}; }
};

}  // namespace quellix::sim
