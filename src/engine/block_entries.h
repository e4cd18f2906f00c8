#pragma once
// The active block list the burn cycle matches against (BlockEntries in the product's own
// terms). Only loading the block list file replaces it; editing the displayed list does not.

#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "engine/entry_texts.h"
#include "engine/title_matcher.h"
#include "platform/code_page.h"

namespace quellix::engine {

class BlockEntries {
 public:
  // The matcher's memory comes from `memory`.
  explicit BlockEntries(std::pmr::memory_resource* memory = std::pmr::get_default_resource());

  // Replaces the whole list; entries keep their file order. Titles are later lower-cased
  // as the entries are, by `code_page`, which must outlive the list. Throws std::bad_alloc
  // when memory runs out, and then keeps the list it had.
  void Assign(const std::vector<std::string>& entries, platform::CodePage& code_page);
  // The same for entries that the list keeps as they are, shared with whoever else holds them.
  void AssignShared(SharedEntryTexts entries, platform::CodePage& code_page);
  // Entry i, 1-based as the product counts them; callers keep i within Count().
  std::string_view Entry(std::size_t i) const { return entries_->At(i - 1); }
  std::size_t Count() const { return entries_->Count(); }
  // Every entry as a string of its own.
  std::vector<std::string> Entries() const { return entries_->Strings(); }
  const SharedEntryTexts& Texts() const { return entries_; }

  // True when the title, lower-cased, contains any entry, lower-cased, as a plain substring
  // of characters. An empty entry is contained in every non-empty title;
  // an empty title contains nothing. The entries are built into an automaton when
  // assigned, so a title costs its length however long the list is.
  bool IsBlocked(std::string_view title) const;
  // IsBlocked with the blank entries (empty, or blanks only) left out, at the same cost.
  bool IsBlockedByWordedEntry(std::string_view title) const;
  // The first entry, in list order, that the title contains by the rule above (1-based), or
  // 0 for none. It compares entry by entry: for crediting a burn, not for the walk.
  std::size_t FirstMatch(std::string_view title) const;

 private:
  // Entries longer than any window title the product reads go beside the automaton, so a
  // list file without line breaks does not make one state per byte; they are compared
  // only with titles at least as long as they are. Lengths are of the lower-cased UTF-8.
  static constexpr std::size_t kLongEntry = 256;

  std::pmr::memory_resource* memory_;
  SharedEntryTexts entries_ = std::make_shared<const EntryTexts>();
  TitleMatcher matcher_;                              // the other entries, lower-cased UTF-8
  std::pmr::vector<std::pmr::string> long_entries_;   // lower-cased UTF-8, shortest first
  std::pmr::vector<std::pmr::string> blank_entries_;  // blanks only, kept out of the automaton
  bool empty_entry_ = false;
  platform::CodePage* code_page_ = nullptr;
  // Folds the title into folded_title_ and looks for an entry that is not blank.
  bool FoldAndMatchWorded(std::string_view title) const;
  // The title being judged, lower-cased; kept so a burn cycle allocates nothing per title.
  mutable std::string folded_title_;
};

}  // namespace quellix::engine
