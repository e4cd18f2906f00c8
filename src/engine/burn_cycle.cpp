#include "engine/burn_cycle.h"

#include "engine/browser_frames.h"
#include "engine/young_frames.h"
#include "engine/window_inspection.h"
#include "settings/switch_cache.h"

namespace quellix::engine {
namespace {

// The window-style switches: burn a supported browser frame that lacks a window part.
struct StyleSwitches {
  bool no_max_button = false;  // "3"
  bool no_min_button = false;  // "5"
  bool no_title_bar = false;   // "6"

  bool Burns(platform::Desktop& desktop, WindowId window) const {
    return (no_max_button && !HasMaxButton(desktop, window)) ||
           (no_min_button && !HasMinButton(desktop, window)) ||
           (no_title_bar && !HasTitleBar(desktop, window));
  }
};

using Judged = AtOnce;

// Judges windows one at a time by the rules for every window after the first, and burns
// the long way those the rules name: closed, counted, sounded and, when logging is on,
// logged in full. Logging and the style switches are taken when the judge is made; the
// support switches at every browser frame judged, so a change takes effect mid-walk.
class WindowJudge {
 public:
  WindowJudge(platform::Services services, ProcessState& state, const product::Folders& folders,
              std::uint64_t now_ms, std::uint32_t own_process)
      : desktop_(services.desktop),
        state_(state),
        switches_(Switches(state, services.registry)),
        at_start_(switches_.Current()),
        styles_{at_start_.kill_no_max_button, at_start_.kill_no_min_button, at_start_.kill_no_title_bar},
        traces_{services, folders, state.burn_record, state.burn_count, state.sound},
        young_(desktop_, state.frame_ages, now_ms),
        frames_(desktop_),
        rules_(services, state.rules, traces_, at_start_.logging, own_process, now_ms) {}

  bool Logging() const { return at_start_.logging; }
  BurnTraces& Traces() { return traces_; }

  // `walking`: the judge is part of a walk, which meets every window of the Chromium and
  // Mozilla classes, whatever the switches say, so that turning one on later finds the
  // user's own browser windows already old.
  // The browsers' frames first; a window no browser rule burned is judged by the rules for
  // other programs' windows.
  Judged Judge(WindowId window, bool walking) {
    const std::string class_name = ReadWindowClass(desktop_, window);
    if (std::optional<BurnedWindow> burned = JudgeFrame(window, class_name, walking)) return {std::move(burned), {}};
    std::optional<RuleActed> acted = rules_.Judge(window, class_name, walking);
    return {std::nullopt, std::move(acted), rules_.WaitsToBeShown()};
  }

 private:
  std::optional<BurnedWindow> JudgeFrame(WindowId window, const std::string& class_name, bool walking) {
    const bool is_chromium = IsChromiumClass(class_name);
    const bool is_ie = IsIeClass(class_name);
    const bool is_mozilla = IsMozillaClass(class_name);
    if (!is_chromium && !is_ie && !is_mozilla) return std::nullopt;  // no switch burns other windows
    if (walking && (is_chromium || is_mozilla)) state_.frame_ages.Meet(window);
    const settings::BurnSwitches& now = switches_.Current();

    if (is_chromium) {
      // The switch is taken once a judge, at the first window of the class. An old frame
      // costs no caption read.
      if (!chromium_on_) chromium_on_ = now.chromium;
      if (!*chromium_on_ || !young_.Young(window)) return std::nullopt;
    } else if (!SupportedFrame(now.support_ie, now.support_netscape, is_ie, is_mozilla)) {
      return std::nullopt;
    }
    const BrowserFrame frame = frames_.Read(window, class_name);
    if (frame.kind == FrameKind::kNone) return std::nullopt;
    if (frame.Young()) {
      // The style switches leave these frames alone: the browsers show their menus, lists
      // and bubbles as bare windows of the same class, and the user's own window may lack a
      // part the switches look for; either would burn at every tick.
      if (!young_.BurnsNow(window, frame.title, state_.block_entries)) return std::nullopt;
    } else if (!state_.block_entries.IsBlocked(frame.title) && !styles_.Burns(desktop_, window)) {
      return std::nullopt;
    }
    if (!frames_.Owned(window, frame)) return std::nullopt;
    return Burn(window, frame.BrowserName(), frame.title);
  }

  BurnedWindow Burn(WindowId window, std::string_view browser, const std::string& title) {
    CloseWindow(desktop_, window);
    CountBurn(traces_);
    PlayBurnSound(traces_);
    if (Logging()) AppendFullRecord(traces_, browser, title);
    return {window, title};
  }

  platform::Desktop& desktop_;
  ProcessState& state_;
  settings::SwitchCache& switches_;
  const settings::BurnSwitches at_start_;
  const StyleSwitches styles_;
  BurnTraces traces_;
  YoungFrameRule young_;
  FrameReader frames_;
  RuleJudge rules_;
  std::optional<bool> chromium_on_;
};

// The end of a walk for the rules: what is kept of windows that are gone goes with them.
void EndRulesWalk(RuleState& rules, platform::Desktop& desktop) {
  rules.ages.EndWalk(desktop);
  rules.processes.EndWalk();
  std::erase_if(rules.actions, [&](const auto& known) { return desktop.ProcessId(known.first) == 0; });
  std::erase_if(rules.told, [&](WindowId window) { return desktop.ProcessId(window) == 0; });
}

}  // namespace

void BurnCycle(platform::Services services, ProcessState& state, const product::Folders& folders,
               platform::WindowId anchor) {
  state.burned_this_tick.clear();
  state.acted_this_tick.clear();
  state.burned_at_once.clear();
  if (!state.burning.On()) return;

  platform::Desktop& desktop = services.desktop;
  // The switches come from memory; the registry is read again only after it signalled a
  // change of the product key, so a switch changed mid-walk still takes effect at the next
  // window without a registry query per window.
  const std::uint64_t now_ms = services.clock.MonotonicMs();
  WindowJudge judge(services, state, folders, now_ms, desktop.ProcessId(anchor));

  // Every window of the Chromium and Mozilla classes is met, whatever the switches say, and
  // every window of a program a rule names (see WindowJudge).
  FrameAges& ages = state.frame_ages;
  ages.StartWalk(now_ms);
  state.rules.ages.StartWalk(now_ms);
  state.rules.processes.StartWalk();

  // The first window takes the short way: Internet Explorer frames only, whatever the
  // support switches say, and a short-form log record.
  ZOrderWalk walk(desktop, anchor);
  const WindowId first = walk.Current();
  const std::string first_class = first != 0 ? ReadWindowClass(desktop, first) : std::string();
  if (IsChromiumClass(first_class) || IsMozillaClass(first_class)) ages.Meet(first);
  if (IsIeClass(first_class)) {
    const std::string title = ReadWindowTitle(desktop, first);
    if (state.block_entries.IsBlocked(title)) {
      CloseWindow(desktop, first);
      state.burned_this_tick.push_back({first, title});
      PlayBurnSound(judge.Traces());
      if (judge.Logging()) AppendShortRecord(judge.Traces(), title);
      CountBurn(judge.Traces());
    }
  }

  while (walk.Next()) {
    Judged judged = judge.Judge(walk.Current(), /*walking=*/true);
    if (judged.burned) state.burned_this_tick.push_back(std::move(*judged.burned));
    if (judged.acted) state.acted_this_tick.push_back(std::move(*judged.acted));
  }
  ages.EndWalk(desktop);
  EndRulesWalk(state.rules, desktop);
}

AtOnce BurnAtOnce(platform::Services services, ProcessState& state, const product::Folders& folders,
                  std::uint32_t own_process, platform::WindowId window) {
  if (!state.burning.On() || window == 0 || state.burned_at_once.count(window) != 0) return {};
  if (own_process != 0 && services.desktop.ProcessId(window) == own_process) return {};
  // A window that ignores its close request and keeps renaming itself burns once here, and
  // again at each cycle as any window still open does.
  Judged judged = WindowJudge(services, state, folders, services.clock.MonotonicMs(), own_process)
                      .Judge(window, /*walking=*/false);
  if (judged.burned || judged.acted) state.burned_at_once.insert(window);
  return judged;
}

}  // namespace quellix::engine
