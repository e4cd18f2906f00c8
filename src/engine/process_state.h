#pragma once
// The process-wide state of the product, owned by the composition root and passed by
// reference: the burn switch, the active block list, the counter and sound copies, and
// the reused log record.

#include <cstdint>
#include <string>

#include "engine/block_entries.h"
#include "engine/burn_record.h"

namespace quellix::engine {

struct ProcessState {
  std::int16_t burn_enabled = 0;  // BurnEnabled: 0 off, anything else on
  BlockEntries block_entries;     // BlockEntries
  std::string burn_count;         // BurnCount, copy of "cnt"
  SoundCopies sound;              // copies of "2", "wavint", "wavext", "wavfile"
  BurnRecord burn_record;         // BurnRecord, reused from burn to burn
};

}  // namespace quellix::engine
