#include "blocklist/displayed_block_list.h"

namespace quellix::blocklist {

std::vector<std::string> DisplayedBlockList::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(entries_.size());
  for (const DisplayedEntry& e : entries_) texts.push_back(e.text);
  return texts;
}

}  // namespace quellix::blocklist
