#pragma once
// One pass over the top-level windows that burns every blocked browser frame.

#include <string>

#include "engine/process_state.h"
#include "platform/platform.h"
#include "product/data_folder.h"

namespace quellix::engine {

// Runs one burn cycle. `anchor` is one of the product's own top-level windows; the walk
// starts at the first window at its level. Between cycles only the ages of the windows of
// the Chromium class are remembered (state.chromium_ages); no burn is.
void BurnCycle(platform::Services services, ProcessState& state, const product::Folders& folders,
               platform::WindowId anchor);

}  // namespace quellix::engine
