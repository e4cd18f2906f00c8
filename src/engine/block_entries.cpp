#include "engine/block_entries.h"

#include <algorithm>

namespace quellix::engine {

BlockEntries::BlockEntries(std::pmr::memory_resource* memory)
    : memory_(memory), matcher_(memory), long_entries_(memory) {}

void BlockEntries::Assign(const std::vector<std::string>& entries, platform::CodePage& code_page) {
  AssignShared(std::make_shared<const EntryTexts>(entries), code_page);
}

void BlockEntries::AssignShared(SharedEntryTexts entries, platform::CodePage& code_page) {
  if (!entries) entries = std::make_shared<const EntryTexts>();
  // Everything new is made beside the old list, so running out of memory leaves it whole.
  std::pmr::string short_entries(memory_);  // lower-cased, end to end
  std::pmr::vector<std::size_t> ends(memory_);
  std::pmr::vector<std::pmr::string> long_entries(memory_);
  std::pmr::vector<std::pmr::string> blank_entries(memory_);
  bool empty_entry = false;
  std::string folded;
  for (std::string_view e : *entries) {
    if (e.empty()) {
      empty_entry = true;
      continue;
    }
    code_page.LowerUtf8(e, folded);
    if (e.find_first_not_of(' ') == std::string_view::npos) {
      blank_entries.emplace_back(folded);
    } else if (folded.size() > kLongEntry) {
      long_entries.emplace_back(folded);
    } else {
      short_entries += folded;
      ends.push_back(short_entries.size());
    }
  }
  std::sort(long_entries.begin(), long_entries.end(),
            [](const std::pmr::string& a, const std::pmr::string& b) { return a.size() < b.size(); });
  std::pmr::vector<std::string_view> fragments(memory_);
  fragments.reserve(ends.size());
  std::size_t begin = 0;
  for (std::size_t end : ends) {
    fragments.emplace_back(short_entries.data() + begin, end - begin);
    begin = end;
  }
  matcher_.Build(std::move(fragments));

  // Nothing from here on can fail.
  entries_ = std::move(entries);
  long_entries_.swap(long_entries);
  blank_entries_.swap(blank_entries);
  empty_entry_ = empty_entry;
  code_page_ = &code_page;
}

bool BlockEntries::IsBlocked(std::string_view title) const {
  if (title.empty() || code_page_ == nullptr) return false;
  if (empty_entry_) return true;
  if (FoldAndMatchWorded(title)) return true;
  for (const auto& entry : blank_entries_) {
    if (folded_title_.find(entry) != std::string::npos) return true;
  }
  return false;
}

bool BlockEntries::IsBlockedByWordedEntry(std::string_view title) const {
  return !title.empty() && code_page_ != nullptr && FoldAndMatchWorded(title);
}

bool BlockEntries::FoldAndMatchWorded(std::string_view title) const {
  code_page_->LowerUtf8(title, folded_title_);
  if (matcher_.ContainsAny(folded_title_)) return true;
  for (const auto& entry : long_entries_) {
    if (entry.size() > folded_title_.size()) break;
    if (folded_title_.find(entry) != std::string::npos) return true;
  }
  return false;
}

std::size_t BlockEntries::FirstMatch(std::string_view title) const {
  if (title.empty() || code_page_ == nullptr) return 0;
  std::string folded_title, folded_entry;
  code_page_->LowerUtf8(title, folded_title);
  for (std::size_t i = 0; i < entries_->Count(); ++i) {
    code_page_->LowerUtf8(entries_->At(i), folded_entry);
    if (folded_title.find(folded_entry) != std::string::npos) return i + 1;
  }
  return 0;
}

}  // namespace quellix::engine
