#include "engine/block_entries.h"

#include "text/text.h"

namespace quellix::engine {

void BlockEntries::Assign(std::vector<std::string> entries) {
  entries_ = std::move(entries);
  lowered_.clear();
  lowered_.reserve(entries_.size());
  for (const std::string& e : entries_) lowered_.push_back(text::LowerCase(e));
}

bool BlockEntries::IsBlocked(std::string_view title) const {
  if (title.empty()) return false;
  const std::string lowered = text::LowerCase(title);
  for (const std::string& entry : lowered_)
    if (lowered.find(entry) != std::string::npos) return true;
  return false;
}

}  // namespace quellix::engine
