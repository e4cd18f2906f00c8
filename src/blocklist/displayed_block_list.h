#pragma once
// The block list as the main window shows and edits it (view1 in the product's own terms):
// 1-based entries, each a text with an optional small-icon key.
//
// A list of hundreds of thousands of entries is held in little memory: the entries loaded
// from the file stay in the loaded texts, which the active list shares, and the texts the
// user adds or edits go end to end into a block of the list's own; per entry the list keeps
// only where its text lies and which icon it has.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/entry_texts.h"

namespace quellix::blocklist {

// The small icon of the entries the loader adds.
inline constexpr std::string_view kEntryIcon = "a";

struct DisplayedEntry {
  std::string text;
  std::string icon;  // image-list key, empty for none
};

class DisplayedBlockList {
 public:
  void Clear();
  // Appends an entry. Throws std::bad_alloc when memory runs out, and then has not added it.
  void Add(std::string_view text, std::string_view icon = {});
  // Replaces the list with these texts, each with `icon`, sharing them rather than copying.
  void Assign(engine::SharedEntryTexts texts, std::string_view icon);
  // Appends these texts, each with `icon`; on std::bad_alloc none of them is added.
  void Append(const engine::EntryTexts& texts, std::string_view icon);

  std::size_t Count() const { return rows_.size(); }
  bool Has(std::size_t i) const { return i >= 1 && i <= rows_.size(); }
  // Entry i, 1-based; callers check Has(i) first.
  DisplayedEntry At(std::size_t i) const { return {std::string(Text(i)), std::string(Icon(i))}; }
  std::string_view Text(std::size_t i) const;
  std::string_view Icon(std::size_t i) const { return icons_.at(rows_.at(i - 1).icon); }
  void SetText(std::size_t i, std::string_view text);
  // Removes entry i; a position that holds no entry changes nothing.
  void Remove(std::size_t i);
  // Drops every entry after the first `count`.
  void KeepFirst(std::size_t count);
  std::vector<std::string> Texts() const;
  // The texts without copies, valid until the list next changes.
  std::vector<std::string_view> TextViews() const;

 private:
  // Where an entry's text lies: in the loaded texts (`own` false; `at` is its index there)
  // or in own_texts_ (`at` is its offset there).
  struct Row {
    std::uint64_t at = 0;
    std::uint32_t size = 0;  // of a text of own_texts_
    std::uint16_t icon = 0;  // index into icons_
    bool own = false;
  };
  std::uint16_t IconIndex(std::string_view icon);
  Row OwnRow(std::string_view text, std::string_view icon);
  // Texts left behind in own_texts_ by edits and removals are dropped once they outweigh
  // the texts still in use.
  void Forget(const Row& row);

  engine::SharedEntryTexts loaded_;
  std::string own_texts_;
  std::size_t own_unused_ = 0;
  std::vector<Row> rows_;
  std::vector<std::string> icons_{std::string()};
};

}  // namespace quellix::blocklist
