#include "engine/block_entries.h"

#include "text/text.h"

namespace quellix::engine {

void BlockEntries::Assign(std::vector<std::string> entries) {
  entries_ = std::move(entries);
  static const TitleMatcher::FoldTable lower = [] {
    TitleMatcher::FoldTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
      table[i] = static_cast<unsigned char>(text::LowerChar(static_cast<char>(i)));
    return table;
  }();
  matcher_.Build(entries_, lower);
}

bool BlockEntries::IsBlocked(std::string_view title) const {
  return !title.empty() && matcher_.ContainsAny(title);
}

}  // namespace quellix::engine
