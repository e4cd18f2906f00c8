#include "blocklist/displayed_block_list.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace quellix::blocklist {

void DisplayedBlockList::Clear() {
  rows_ = {};
  loaded_.reset();
  own_texts_ = {};
  own_unused_ = 0;
}

std::uint16_t DisplayedBlockList::IconIndex(std::string_view icon) {
  const auto found = std::find(icons_.begin(), icons_.end(), icon);
  if (found != icons_.end()) return static_cast<std::uint16_t>(found - icons_.begin());
  if (icons_.size() > UINT16_MAX) throw std::bad_alloc();
  icons_.emplace_back(icon);
  return static_cast<std::uint16_t>(icons_.size() - 1);
}

DisplayedBlockList::Row DisplayedBlockList::OwnRow(std::string_view text, std::string_view icon) {
  if (text.size() > UINT32_MAX) throw std::bad_alloc();
  Row row;
  row.icon = IconIndex(icon);
  row.at = own_texts_.size();
  row.size = static_cast<std::uint32_t>(text.size());
  row.own = true;
  own_texts_.append(text);
  return row;
}

void DisplayedBlockList::Add(std::string_view text, std::string_view icon) {
  // Room for the row first, so a failure leaves nothing behind.
  if (rows_.size() == rows_.capacity()) rows_.reserve(std::max<std::size_t>(16, rows_.size() * 2));
  rows_.push_back(OwnRow(text, icon));
}

void DisplayedBlockList::Assign(engine::SharedEntryTexts texts, std::string_view icon) {
  std::vector<Row> rows;
  Row row;
  row.icon = IconIndex(icon);
  if (texts) {
    rows.reserve(texts->Count());
    for (row.at = 0; row.at < texts->Count(); ++row.at) rows.push_back(row);
  }
  rows_.swap(rows);
  loaded_ = std::move(texts);
  own_texts_ = {};
  own_unused_ = 0;
}

void DisplayedBlockList::Append(const engine::EntryTexts& texts, std::string_view icon) {
  const std::size_t rows_before = rows_.size(), bytes_before = own_texts_.size();
  try {
    std::size_t bytes = 0;
    for (std::string_view t : texts) bytes += t.size();
    rows_.reserve(rows_before + texts.Count());
    own_texts_.reserve(bytes_before + bytes);
    for (std::string_view t : texts) rows_.push_back(OwnRow(t, icon));
  } catch (const std::bad_alloc&) {
    rows_.resize(rows_before);
    own_texts_.resize(bytes_before);
    throw;
  }
}

std::string_view DisplayedBlockList::Text(std::size_t i) const {
  const Row& row = rows_.at(i - 1);
  if (row.own) return std::string_view(own_texts_).substr(row.at, row.size);
  return loaded_->At(row.at);
}

void DisplayedBlockList::SetText(std::size_t i, std::string_view text) {
  Row& row = rows_.at(i - 1);
  const Row old = row;
  row = OwnRow(text, icons_[old.icon]);
  Forget(old);
}

void DisplayedBlockList::Remove(std::size_t i) {
  if (!Has(i)) return;
  const Row old = rows_[i - 1];
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i - 1));
  Forget(old);
}

void DisplayedBlockList::KeepFirst(std::size_t count) {
  while (rows_.size() > count) {
    Forget(rows_.back());
    rows_.pop_back();
  }
}

void DisplayedBlockList::Forget(const Row& row) {
  if (!row.own) return;
  own_unused_ += row.size;
  if (own_unused_ < 4096 || own_unused_ < own_texts_.size() / 2) return;
  // Moves the texts still in use to the front, in row order, so nothing needs more room.
  std::vector<Row*> own;
  try {
    for (Row& r : rows_)
      if (r.own) own.push_back(&r);
  } catch (const std::bad_alloc&) {
    return;  // the unused texts stay until a later edit
  }
  std::sort(own.begin(), own.end(), [](const Row* a, const Row* b) { return a->at < b->at; });
  std::size_t to = 0;
  for (Row* r : own) {
    std::memmove(own_texts_.data() + to, own_texts_.data() + r->at, r->size);
    r->at = to;
    to += r->size;
  }
  own_texts_.resize(to);
  own_texts_.shrink_to_fit();
  own_unused_ = 0;
}

std::vector<std::string> DisplayedBlockList::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(rows_.size());
  for (std::size_t i = 1; i <= rows_.size(); ++i) texts.emplace_back(Text(i));
  return texts;
}

std::vector<std::string_view> DisplayedBlockList::TextViews() const {
  std::vector<std::string_view> texts;
  texts.reserve(rows_.size());
  for (std::size_t i = 1; i <= rows_.size(); ++i) texts.push_back(Text(i));
  return texts;
}

}  // namespace quellix::blocklist
