#pragma once
// The small simulated services: clock, sound, message boxes, file dialogs; and the whole
// simulated platform.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_code_page.h"
#include "platform/sim/sim_dde.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_registry.h"

namespace quellix::sim {

class SimClock final : public platform::Clock {
 public:
  std::string date = "12/7/2026";
  std::string time = "11:15:02 PM";
  std::string clock_time = "23:15:02";
  std::string iso_date = "2026-12-07";
  std::uint64_t monotonic_ms = 1000000;
  std::string DateText() override { return date; }
  std::string TimeText() override { return time; }
  std::string IsoDateText() override { return iso_date; }
  std::string ClockTime() override { return clock_time; }
  std::uint64_t MonotonicMs() override { return monotonic_ms; }
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
    platform::WindowId owner;
  };
  std::vector<Shown> shown;
  // Answers given to the next boxes, in order; a box with no scripted answer gets OK or No.
  std::deque<platform::MessageAnswer> answers;
  platform::WindowId owner = 0;
  // Runs while a box is up, as the events a modal box lets through would.
  std::function<void()> while_shown;

  platform::MessageAnswer Show(const std::string& text, const std::string& title, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;
  void SetOwner(platform::WindowId window) override { owner = window; }
};

class SimFileDialogs final : public platform::FileDialogs {
 public:
  std::vector<platform::FileDialogRequest> shown;
  // What the user does in the next dialogs, in order: the path picked, or nothing for
  // Cancel (an empty path counts as Cancel). A dialog with no scripted answer is cancelled.
  // Paths are returned as given: the dialog's own checks (a file that must exist, a
  // replace to confirm) are the scripter's to respect.
  std::deque<std::optional<std::string>> answers;

  std::optional<std::string> Show(const platform::FileDialogRequest& request) override;
};

// Every simulated service, ready to hand to the core.
struct SimPlatform {
  SimDesktop desktop;
  SimRegistry registry;
  SimClock clock;
  SimSound sound;
  SimFiles files;
  SimMessageBoxes messages;
  SimFileDialogs file_dialogs;
  SimDde dde;
  SimCodePage code_page;

  platform::Services Services() {
    return {desktop, registry, clock, sound, files, messages, file_dialogs, dde, code_page};
  }
};

}  // namespace quellix::sim
