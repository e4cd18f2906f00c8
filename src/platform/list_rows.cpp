#include "platform/list_rows.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace quellix::platform {
namespace {

// Lengths go in seven bits a byte, low bits first, the top bit saying that more follow.
void PutLength(std::string& out, std::size_t n) {
  while (n >= 0x80) {
    out += static_cast<char>(0x80 | (n & 0x7F));
    n >>= 7;
  }
  out += static_cast<char>(n);
}

std::size_t GetLength(std::string_view in, std::size_t& pos) {
  std::size_t n = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(in[pos++]);
    n |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return n;
  }
}

}  // namespace

std::uint64_t ListRows::IconIndex(std::string_view icon) {
  const auto found = std::find(icons_.begin(), icons_.end(), icon);
  if (found != icons_.end()) return static_cast<std::uint64_t>(found - icons_.begin());
  if (icons_.size() > kIconMask) throw std::bad_alloc();
  icons_.emplace_back(icon);
  return icons_.size() - 1;
}

void ListRows::Encode(const std::vector<std::string>& cells) {
  PutLength(bytes_, cells.size());
  for (const std::string& cell : cells) {
    PutLength(bytes_, cell.size());
    bytes_ += cell;
  }
}

void ListRows::Add(const std::vector<std::string>& cells, std::string_view icon) {
  const std::size_t before = bytes_.size();
  try {
    if (rows_.size() == rows_.capacity()) rows_.reserve(std::max<std::size_t>(16, rows_.size() * 2));
    const std::uint64_t icon_index = IconIndex(icon);
    Encode(cells);
    rows_.push_back(static_cast<std::uint64_t>(before) << kIconBits | icon_index);
  } catch (const std::bad_alloc&) {
    bytes_.resize(before);
    throw;
  }
}

void ListRows::Clear() {
  bytes_.clear();
  rows_.clear();
  unused_ = 0;
}

std::pair<std::size_t, std::size_t> ListRows::Span(std::size_t i) const {
  const std::size_t start = Start(i);
  std::size_t pos = start;
  for (std::size_t n = GetLength(bytes_, pos); n > 0; --n) pos += GetLength(bytes_, pos);
  return {start, pos - start};
}

std::size_t ListRows::CellCount(std::size_t i) const {
  std::size_t pos = Start(i);
  return GetLength(bytes_, pos);
}

std::string_view ListRows::Cell(std::size_t i, std::size_t column) const {
  std::size_t pos = Start(i);
  const std::size_t count = GetLength(bytes_, pos);
  if (column >= count) return {};
  for (std::size_t c = 0;; ++c) {
    const std::size_t length = GetLength(bytes_, pos);
    if (c == column) return std::string_view(bytes_).substr(pos, length);
    pos += length;
  }
}

ListRows::Row ListRows::operator[](std::size_t i) const {
  Row row;
  const std::size_t count = CellCount(i);
  for (std::size_t c = 0; c < count; ++c) row.first.emplace_back(Cell(i, c));
  row.second = Icon(i);
  return row;
}

ListRows::Row ListRows::at(std::size_t i) const {
  if (i >= rows_.size()) throw std::out_of_range("ListRows::at");
  return (*this)[i];
}

void ListRows::Remove(std::size_t i) {
  const std::size_t bytes = Span(i).second;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
  Forget(bytes);
}

void ListRows::SetCell(std::size_t i, std::size_t column, std::string_view text) {
  const std::size_t count = CellCount(i);
  // The row is written anew at the end; its old cells are left behind.
  std::vector<std::string> cells(std::max(count, column + 1));
  for (std::size_t c = 0; c < count; ++c) cells[c] = Cell(i, c);
  cells[column] = text;
  const std::size_t before = bytes_.size(), old = Span(i).second;
  try {
    Encode(cells);
  } catch (const std::bad_alloc&) {
    bytes_.resize(before);
    throw;
  }
  rows_[i] = static_cast<std::uint64_t>(before) << kIconBits | (rows_[i] & kIconMask);
  Forget(old);
}

void ListRows::Forget(std::size_t bytes) {
  unused_ += bytes;
  if (unused_ < 4096 || unused_ < bytes_.size() / 2) return;
  std::string kept;
  try {
    kept.reserve(bytes_.size() - unused_);
  } catch (const std::bad_alloc&) {
    return;  // the unused rows stay until a later change
  }
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const auto [start, size] = Span(i);
    rows_[i] = static_cast<std::uint64_t>(kept.size()) << kIconBits | (rows_[i] & kIconMask);
    kept.append(bytes_, start, size);
  }
  bytes_.swap(kept);
  unused_ = 0;
}

}  // namespace quellix::platform
