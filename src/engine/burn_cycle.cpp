#include "engine/burn_cycle.h"

#include <optional>

#include "engine/chromium_frames.h"
#include "engine/window_inspection.h"
#include "settings/switch_cache.h"
#include "text/text.h"

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

}  // namespace

void BurnCycle(platform::Services services, ProcessState& state, const product::Folders& folders,
               platform::WindowId anchor) {
  state.burned_this_tick.clear();
  if (state.burn_enabled == 0) return;

  platform::Desktop& desktop = services.desktop;
  // The switches come from memory; the registry is read again only after it signalled a
  // change of the product key, so a switch changed mid-walk still takes effect at the next
  // window without a registry query per window.
  if (!state.switches) state.switches.emplace(services.registry);
  settings::SwitchCache& switches = *state.switches;
  const settings::BurnSwitches& at_start = switches.Current();
  const bool logging = at_start.logging;
  const StyleSwitches styles{at_start.kill_no_max_button, at_start.kill_no_min_button,
                             at_start.kill_no_title_bar};
  BurnTraces traces{services, folders, state.burn_record, state.burn_count, state.sound};

  // Every window of the Chromium class is met, whatever the switch says, so that turning it
  // on later finds the user's own browser windows already old.
  const std::uint64_t now_ms = services.clock.MonotonicMs();
  ChromiumFrameAges& ages = state.chromium_ages;
  ages.StartWalk(now_ms);

  // The first window takes the short way: Internet Explorer frames only, whatever the
  // support switches say, and a short-form log record.
  ZOrderWalk walk(desktop, anchor);
  const WindowId first = walk.Current();
  const std::string first_class = first != 0 ? ReadWindowClass(desktop, first) : std::string();
  if (IsChromiumClass(first_class)) ages.Meet(first);
  if (IsIeClass(first_class)) {
    const std::string title = ReadWindowTitle(desktop, first);
    if (state.block_entries.IsBlocked(title)) {
      CloseWindow(desktop, first);
      state.burned_this_tick.push_back({first, title});
      PlayBurnSound(traces);
      if (logging) AppendShortRecord(traces, title);
      CountBurn(traces);
    }
  }

  // Burning the long way: counted, sounded and, when logging is on, logged in full.
  const auto burn = [&](WindowId window, std::string_view browser, const std::string& title) {
    CloseWindow(desktop, window);
    state.burned_this_tick.push_back({window, title});
    CountBurn(traces);
    PlayBurnSound(traces);
    if (logging) AppendFullRecord(traces, browser, title);
  };
  // Chromium frames, when the user has turned them on. The switch is taken once a tick, at
  // the first window of their class.
  std::optional<bool> chromium_on;
  ChromiumBurnRule chromium(desktop, ages, now_ms);

  while (walk.Next()) {
    const WindowId current = walk.Current();
    // The support switches are asked for at every window, so a change takes effect mid-walk.
    const double ie = switches.Current().support_ie;
    const double netscape = switches.Current().support_netscape;
    const std::string class_name = ReadWindowClass(desktop, current);

    if (IsChromiumClass(class_name)) {
      ages.Meet(current);
      if (!chromium_on) chromium_on = switches.Current().chromium;
      // An old frame costs no title read. The style switches leave these frames alone: the
      // browsers show their menus, lists and bubbles as bare windows of the same class,
      // which those switches would close at every tick.
      if (!*chromium_on || !chromium.Young(current)) continue;
      const std::string title = ReadWindowTitle(desktop, current);
      if (chromium.BurnsNow(current, title, state.block_entries)) burn(current, kChromiumBrowserName, title);
      continue;
    }

    const bool is_ie = IsIeClass(class_name);
    const bool is_mozilla = IsMozillaClass(class_name);
    if (!SupportedFrame(ie, netscape, is_ie, is_mozilla)) continue;

    const std::string title = ReadWindowTitle(desktop, current);
    if (!state.block_entries.IsBlocked(title) && !styles.Burns(desktop, current)) continue;
    burn(current, is_ie ? kIeBrowserName : kMozillaBrowserName, title);
  }
  ages.EndWalk(desktop);
}

}  // namespace quellix::engine
