#include "engine/entry_texts.h"

namespace quellix::engine {

EntryTexts::EntryTexts(const std::vector<std::string>& texts) {
  std::size_t bytes = 0;
  for (const std::string& t : texts) bytes += t.size();
  Reserve(texts.size(), bytes);
  for (const std::string& t : texts) Append(t);
}

void EntryTexts::Reserve(std::size_t count, std::size_t bytes) {
  ends_.reserve(count);
  bytes_.reserve(bytes);
}

void EntryTexts::Append(std::string_view text) {
  bytes_.append(text);
  ends_.push_back(bytes_.size());
}

void EntryTexts::ShrinkToFit() {
  bytes_.shrink_to_fit();
  ends_.shrink_to_fit();
}

std::vector<std::string> EntryTexts::Strings() const {
  std::vector<std::string> strings;
  strings.reserve(Count());
  for (std::string_view t : *this) strings.emplace_back(t);
  return strings;
}

}  // namespace quellix::engine
