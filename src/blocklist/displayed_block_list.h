#pragma once
// The block list as the main window shows and edits it (view1 in the product's own terms):
// 1-based entries, each a text with an optional small-icon key.

#include <string>
#include <string_view>
#include <vector>

namespace quellix::blocklist {

// The small icon of the entries the loader adds.
inline constexpr std::string_view kEntryIcon = "a";

struct DisplayedEntry {
  std::string text;
  std::string icon;  // image-list key, empty for none
};

class DisplayedBlockList {
 public:
  void Clear() { entries_.clear(); }
  void Add(std::string text, std::string icon = {}) {
    entries_.push_back({std::move(text), std::move(icon)});
  }
  std::size_t Count() const { return entries_.size(); }
  bool Has(std::size_t i) const { return i >= 1 && i <= entries_.size(); }
  // Entry i, 1-based; callers check Has(i) first.
  const DisplayedEntry& At(std::size_t i) const { return entries_.at(i - 1); }
  void SetText(std::size_t i, std::string text) { entries_.at(i - 1).text = std::move(text); }
  // Removes entry i; a position that holds no entry changes nothing.
  void Remove(std::size_t i) {
    if (Has(i)) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i - 1));
  }
  // Drops every entry after the first `count`.
  void KeepFirst(std::size_t count) {
    if (count < entries_.size())
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(count), entries_.end());
  }
  std::vector<std::string> Texts() const;

 private:
  std::vector<DisplayedEntry> entries_;
};

}  // namespace quellix::blocklist
