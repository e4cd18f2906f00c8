#pragma once
// Judging the windows of ordinary programs by the rules (rules/rule.h), and acting on them:
// a close request or a click on one of their buttons, counted, sounded and logged as a burn.
//
// The rules are held to what keeps the user's own work safe:
// - only shown top-level windows of the program a rule names, and only while young (in
//   their first 10 s, as the browsers' frames that burn with all their tabs): a window the
//   user has worked in is never acted on when its title changes;
// - never the program's own windows, nor those of the protected programs (the shell, the
//   desktop, sign-in and elevation prompts, the task manager);
// - never a window of a program that runs with higher rights, which would drop what is sent
//   to it: it is left alone and told of once;
// - a window still there after two actions is left alone and told of once.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <string>
#include <vector>

#include "engine/browser_frames.h"
#include "engine/burn_history.h"
#include "engine/burn_record.h"
#include "engine/window_processes.h"
#include "engine/young_frames.h"
#include "platform/platform.h"
#include "rules/rule.h"

namespace quellix::engine {

// How long the texts of a window's controls are waited for, in all.
inline constexpr unsigned kControlTextTimeoutMs = 250;
// Actions on one window before it is left alone.
inline constexpr int kMostActionsOnAWindow = 2;

// A dialog's message: the texts of its shown static controls, lower-cased, one a line.
std::string ShownTextOf(const std::vector<platform::ChildControl>& controls, platform::CodePage& code_page);

// A window a rule acted on, or one it had to leave alone.
struct RuleActed {
  platform::WindowId window = 0;
  std::string rule;     // the rule's line, which its figures are kept by
  std::string program;  // the window's program file name
  std::string caption;
};

// What the rules keep from one judgement to the next.
struct RuleState {
  std::vector<rules::PreparedRule> active;  // the rules that act, the user's and the organisation's
  bool enabled = true;                      // policy EnableRules
  FrameAges ages;                           // when each window of a named program was first met
  WindowProcesses processes;                // the process of each window whose class a rule fits
  std::map<platform::WindowId, int> actions;  // per window acted on
  std::set<platform::WindowId> told;          // left alone and told of
  HitStats figures;                           // per rule line: how often it acted, when last
  // What to tell the user, gathered until it is told: windows left alone after two actions
  // and windows of programs with higher rights.
  std::vector<std::string> to_tell;
  // The last of them, newest first, for the information window.
  std::deque<std::string> told_lately;
  static constexpr std::size_t kToldLately = 3;
};

// Judges windows by the rules for one walk (or one window that just appeared).
class RuleJudge {
 public:
  RuleJudge(platform::Services services, RuleState& state, BurnTraces& traces, bool logging,
            std::uint32_t own_process, std::uint64_t now_ms);

  // Whether any rule may act at all: rules there, and not turned off by a policy.
  bool Active() const { return state_.enabled && !state_.active.empty(); }
  // The window, its class read already. `walking`: part of a walk, which meets the windows
  // of every named program so that their age is known. Gives what was done, if anything.
  std::optional<RuleActed> Judge(platform::WindowId window, std::string_view class_name, bool walking);
  // The window last judged is one a rule's program names, young, but not shown yet.
  bool WaitsToBeShown() const { return waits_shown_; }

 private:
  // The first rule that names the window, with the controls read for it, if any.
  const rules::PreparedRule* Matching(platform::WindowId window, std::string_view class_name,
                                      std::string_view program, std::string_view caption,
                                      std::optional<std::vector<platform::ChildControl>>& controls);
  void Tell(platform::WindowId window, const std::string& what);
  // What the rules make of a process's program, found once a walk.
  struct ProgramVerdict {
    std::string program;  // lower-cased; empty when it cannot be told
    bool named = false;   // a rule names it, and it is none of the protected ones
  };
  const ProgramVerdict& VerdictOf(std::uint32_t process);

  platform::Services services_;
  RuleState& state_;
  BurnTraces& traces_;
  bool logging_;
  std::uint32_t own_process_;
  YoungFrameRule young_;
  ProcessPrograms programs_;
  std::map<std::uint32_t, bool> higher_rights_;  // per process, for this walk
  std::unordered_map<std::uint32_t, ProgramVerdict> verdicts_;  // per process, for this walk
  bool waits_shown_ = false;
};

}  // namespace quellix::engine
