#pragma once
// What an entry would do if it were in the block list now: how many of the browser frames
// open now the burn cycle would close for it, by the cycle's own rules (support switches,
// title cut, case-insensitive containment by characters; for today's Firefox frames and the
// Chromium frames their age and the blank entry's exception).

#include <string>

#include "engine/young_frames.h"
#include "platform/platform.h"
#include "settings/policies.h"

namespace quellix::engine {

struct EntryPreview {
  std::size_t would_burn = 0;
  std::size_t open = 0;           // browser frames the cycle may burn now (switches, a Chromium frame's age)
  bool burns_everything = false;  // empty or blank, or every frame when two or more are open
};

// `ages` are the burn cycle's own, so a Chromium frame counts exactly while the cycle may burn it;
// a support switch that `policies` manage counts as they force it, as in the cycle.
EntryPreview PreviewEntry(platform::Services services, platform::WindowId anchor, const std::string& entry,
                          const FrameAges& ages, const settings::Policies& policies = {});

// The line the dialogs show under the entry: "Would burn 2 of the 7 browser windows open
// now", or the warning "This entry burns every browser window".
std::string PreviewText(const EntryPreview& preview);

}  // namespace quellix::engine
