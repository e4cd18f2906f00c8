#include "engine/block_entries.h"

#include <algorithm>

namespace quellix::engine {

void BlockEntries::Assign(std::vector<std::string> entries, platform::CodePage& code_page) {
  std::vector<std::string> short_entries;
  std::vector<std::string> long_entries;
  bool empty_entry = false;
  std::string folded;
  for (const std::string& e : entries) {
    if (e.empty()) {
      empty_entry = true;
      continue;
    }
    code_page.LowerUtf8(e, folded);
    if (folded.empty()) continue;  // the code page read no character in it: it matches nothing
    if (folded.size() <= kLongEntry) {
      short_entries.push_back(folded);
    } else {
      long_entries.push_back(folded);
    }
  }
  std::sort(long_entries.begin(), long_entries.end(),
            [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
  matcher_.Build(short_entries);
  entries_ = std::move(entries);
  long_entries_ = std::move(long_entries);
  empty_entry_ = empty_entry;
  code_page_ = &code_page;
}

bool BlockEntries::IsBlocked(std::string_view title) const {
  if (title.empty() || code_page_ == nullptr) return false;
  if (empty_entry_) return true;
  code_page_->LowerUtf8(title, folded_title_);
  if (matcher_.ContainsAny(folded_title_)) return true;
  for (const std::string& entry : long_entries_) {
    if (entry.size() > folded_title_.size()) break;
    if (folded_title_.find(entry) != std::string::npos) return true;
  }
  return false;
}

}  // namespace quellix::engine
