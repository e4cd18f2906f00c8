// The block list reader (popcfg.apo and exported .pao files) on any bytes, and the writer's
// promise: whatever the entries hold, they read back exactly as they were written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "blocklist/block_list_file.h"
#include "platform/sim/sim_code_page.h"
#include "text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix::blocklist;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> fields = ReadFields(bytes);
  std::size_t total = 0;
  for (const std::string& f : fields) total += f.size();
  if (total > size) __builtin_trap();  // fields are cut from the input, never grown
  if (CountFields(bytes) != fields.size()) __builtin_trap();
  if (ReadFields(BlockListText(fields)) != fields) __builtin_trap();
  // On disk, in the Western or the Cyrillic code page, entries of any script (UTF-8 without
  // NUL, as every entry the program holds) come back exactly too.
  bool utf8 = true;
  for (const std::string& f : fields) utf8 = utf8 && quellix::text::IsUtf8(f) && f.find('\0') == std::string::npos;
  if (utf8) {
    static quellix::sim::SimCodePage code_page;
    code_page.system = size % 2 ? quellix::sim::SimCodePage::System::kCyrillic1251
                                : quellix::sim::SimCodePage::System::kWestern1252;
    std::string problem;
    const std::optional<std::string> text = ListTextFromBytes(ListFileBytes(fields, code_page), code_page, problem);
    if (!text || ReadFields(*text) != fields) __builtin_trap();
  }
  return 0;
}
