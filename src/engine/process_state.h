#pragma once
// The process-wide state of the product, owned by the composition root and passed by
// reference: the burn switch, the active block list, the counter and sound copies, and
// the reused log record.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/block_entries.h"
#include "engine/burn_history.h"
#include "engine/burn_record.h"
#include "engine/burn_switch.h"
#include "engine/rule_judge.h"
#include "engine/young_frames.h"
#include "settings/policies.h"
#include "settings/switch_cache.h"

namespace quellix::engine {

struct ProcessState {
  BurnSwitch burning;             // BurnEnabled and its pause
  BlockEntries block_entries;     // BlockEntries
  std::string burn_count;         // BurnCount, copy of "cnt"
  SoundCopies sound;              // copies of "2", "wavint", "wavext", "wavfile"
  BurnRecord burn_record;         // BurnRecord, reused from burn to burn

  std::vector<BurnedWindow> burned_this_tick;  // what the last burn cycle closed
  RuleState rules;                             // the rules for other programs' windows
  std::vector<RuleActed> acted_this_tick;      // what they did in the last burn cycle
  BurnHistory history;                         // figures per entry, recent burns, stuck windows
  FrameAges frame_ages;                        // when the burn cycle first met each frame that may be young
  // The windows burned the moment they appeared since the last burn cycle, which forgets
  // them: a window that ignores its close request and keeps renaming itself burns so once.
  std::set<platform::WindowId> burned_at_once;
  // The burn cycle's switches, watched from the first time anything asks for them.
  std::optional<settings::SwitchCache> switches;
  // The organisation's policies, watched from the first time anything asks for them.
  std::optional<settings::PolicyCache> policies;
};

// The burn cycle's switches, read from the registry only after the product key changed.
inline settings::SwitchCache& Switches(ProcessState& state, platform::Registry& registry) {
  if (!state.switches) state.switches.emplace(registry);
  return *state.switches;
}

// The policies as they stand now; reads the registry only after a policy key changed.
inline const settings::Policies& CurrentPolicies(ProcessState& state, platform::Registry& registry) {
  if (!state.policies) state.policies.emplace(registry);
  return state.policies->Current();
}

}  // namespace quellix::engine
