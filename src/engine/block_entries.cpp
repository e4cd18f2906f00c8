#include "engine/block_entries.h"

#include <algorithm>

#include "text/text.h"

namespace quellix::engine {

void BlockEntries::Assign(std::vector<std::string> entries) {
  entries_ = std::move(entries);
  TitleMatcher::FoldTable lower{};
  for (std::size_t i = 0; i < lower.size(); ++i)
    lower[i] = static_cast<unsigned char>(text::LowerChar(static_cast<char>(i)));
  std::vector<std::string> short_entries;
  long_entries_.clear();
  for (const std::string& e : entries_) {
    if (e.size() <= kLongEntry) {
      short_entries.push_back(e);
    } else {
      long_entries_.push_back(text::LowerCase(e));
    }
  }
  std::sort(long_entries_.begin(), long_entries_.end(),
            [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
  matcher_.Build(short_entries, lower);
}

bool BlockEntries::IsBlocked(std::string_view title) const {
  if (title.empty()) return false;
  if (matcher_.ContainsAny(title)) return true;
  if (long_entries_.empty() || title.size() < long_entries_.front().size()) return false;
  const std::string lowered = text::LowerCase(title);
  for (const std::string& entry : long_entries_) {
    if (entry.size() > lowered.size()) break;
    if (lowered.find(entry) != std::string::npos) return true;
  }
  return false;
}

}  // namespace quellix::engine
