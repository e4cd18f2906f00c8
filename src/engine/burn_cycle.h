#pragma once
// One pass over the top-level windows that burns every blocked browser frame, and the same
// judgement passed on one window the moment it appears.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/process_state.h"
#include "platform/platform.h"
#include "product/data_folder.h"

namespace quellix::engine {

// Runs one burn cycle. `anchor` is one of the product's own top-level windows; the walk
// starts at the first window at its level. Between cycles only the ages of the windows of
// the Chromium and Mozilla classes are remembered (state.frame_ages); no burn is, and the windows
// burned at once since the last cycle are forgotten.
void BurnCycle(platform::Services services, ProcessState& state, const product::Folders& folders,
               platform::WindowId anchor);

// What judging one window came to: a browser frame burned, or a rule's action.
struct AtOnce {
  std::optional<BurnedWindow> burned;
  std::optional<RuleActed> acted;
  // A young window that a rule names but that is not shown yet: the system may not tell when
  // it is, so whoever watches should look again shortly.
  bool rule_waits_shown = false;
};

// Judges one window that has just appeared or been renamed by the rules the burn cycle
// applies to every window after the first, and burns it as the cycle would (closed,
// counted, sounded, logged), or acts on it by a rule for other programs' windows. Nothing
// burns while burning is off; a window of the process `own_process` (the product's own) is
// never judged; a window burned or acted on so since the last cycle is not judged again
// until the next one.
AtOnce BurnAtOnce(platform::Services services, ProcessState& state, const product::Folders& folders,
                  std::uint32_t own_process, platform::WindowId window);

}  // namespace quellix::engine
