#pragma once
// The texts of a list of entries end to end in one block, with where each ends beside them:
// a list of hundreds of thousands of entries costs its bytes and eight more an entry, not a
// string and an allocation each. Made once and then only read, so the lists that show and
// match a loaded block list share one copy (SharedEntryTexts).

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/index_iterator.h"

namespace quellix::engine {

class EntryTexts {
 public:
  EntryTexts() = default;
  explicit EntryTexts(const std::vector<std::string>& texts);

  // Room for `count` entries of `bytes` bytes in all, so that making the list takes one
  // block for each part.
  void Reserve(std::size_t count, std::size_t bytes);
  void Append(std::string_view text);
  // Appends the entry that `fill` writes at the end of the string it is given.
  template <typename Fill>
  void AppendWith(Fill&& fill) {
    fill(bytes_);
    ends_.push_back(bytes_.size());
  }
  // Gives back what Reserve asked for beyond what the entries use.
  void ShrinkToFit();

  std::size_t Count() const { return ends_.size(); }
  bool Empty() const { return ends_.empty(); }
  // Entry i, 0-based; callers keep i below Count().
  std::string_view At(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }
  // Every entry as a string of its own.
  std::vector<std::string> Strings() const;

  using Iterator = platform::IndexIterator<EntryTexts, std::string_view, &EntryTexts::At>;
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, ends_.size()); }

 private:
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

using SharedEntryTexts = std::shared_ptr<const EntryTexts>;

}  // namespace quellix::engine
