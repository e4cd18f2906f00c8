// The block list matcher against the plain definition: the title, lower-cased by characters,
// contains an entry, lower-cased by characters. Input: entries separated by '\n', then '\t', then the title.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_entries.h"
#include "platform/sim/sim_code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t tab = input.find('\t');
  const std::string_view list = input.substr(0, tab);
  const std::string title(tab == std::string_view::npos ? std::string_view() : input.substr(tab + 1));
  std::vector<std::string> entries;
  for (std::size_t start = 0;;) {
    const std::size_t end = list.find('\n', start);
    entries.emplace_back(list.substr(start, end == std::string_view::npos ? list.npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  sim::SimCodePage western;
  engine::BlockEntries blocked;
  blocked.Assign(entries, western);
  bool expected = false;
  if (!title.empty()) {
    std::string lowered, entry;
    western.LowerUtf8(title, lowered);
    for (const std::string& e : entries) {
      western.LowerUtf8(e, entry);
      expected = expected || lowered.find(entry) != std::string::npos;
    }
  }
  if (blocked.IsBlocked(title) != expected) __builtin_trap();
  return 0;
}
