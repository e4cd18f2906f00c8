#pragma once
// The rows of a list box or list view as a user-interface host keeps them, in little memory:
// the cells of every row end to end in one block, each after its length, and per row only
// where its cells start and which icon it has. A list of hundreds of thousands of rows costs
// its texts and a few bytes a row, not a string and an allocation per cell.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/index_iterator.h"

namespace quellix::platform {

class ListRows {
 public:
  // A row as a copy: its cells, and its icon key (empty for none).
  using Row = std::pair<std::vector<std::string>, std::string>;

  // Appends a row. Throws std::bad_alloc when memory runs out, and then has not added it.
  void Add(const std::vector<std::string>& cells, std::string_view icon);
  void Clear();
  // Removes row i (0-based); callers keep i below size().
  void Remove(std::size_t i);
  // Replaces cell `column` of row i; a row of fewer cells gets empty ones up to it.
  void SetCell(std::size_t i, std::size_t column, std::string_view text);

  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  std::size_t CellCount(std::size_t i) const;
  // Cell `column` of row i; empty for a column the row does not have.
  std::string_view Cell(std::size_t i, std::size_t column) const;
  std::string_view Icon(std::size_t i) const { return icons_[rows_[i] & kIconMask]; }
  Row operator[](std::size_t i) const;
  Row at(std::size_t i) const;  // throws std::out_of_range past the last row
  Row front() const { return (*this)[0]; }
  Row back() const { return (*this)[rows_.size() - 1]; }

  // The rows in order, each read as a copy.
  using Iterator = IndexIterator<ListRows, Row, &ListRows::operator[]>;
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, rows_.size()); }

 private:
  // Per row: where its cells start in bytes_ (above), and its index into icons_ (below).
  static constexpr int kIconBits = 16;
  static constexpr std::uint64_t kIconMask = (std::uint64_t{1} << kIconBits) - 1;
  std::size_t Start(std::size_t i) const { return static_cast<std::size_t>(rows_[i] >> kIconBits); }
  // The encoded cells of row i: where they start, and their size.
  std::pair<std::size_t, std::size_t> Span(std::size_t i) const;
  std::uint64_t IconIndex(std::string_view icon);
  void Encode(const std::vector<std::string>& cells);
  // Rows left behind by edits and removals are dropped once they outweigh the rows in use.
  void Forget(std::size_t bytes);

  std::string bytes_;
  std::vector<std::uint64_t> rows_;
  std::vector<std::string> icons_{std::string()};
  std::size_t unused_ = 0;
};

}  // namespace quellix::platform
