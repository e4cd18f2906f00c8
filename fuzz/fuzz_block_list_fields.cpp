// The block list reader (popcfg.apo and exported .pao files) on any bytes, and the writer's
// promise: whatever the entries hold, they read back exactly as they were written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "blocklist/block_list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix::blocklist;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> fields = ReadFields(bytes);
  std::size_t total = 0;
  for (const std::string& f : fields) total += f.size();
  if (total > size) __builtin_trap();  // fields are cut from the input, never grown
  if (CountFields(bytes) != fields.size()) __builtin_trap();
  if (ReadFields(BlockListText(fields)) != fields) __builtin_trap();
  return 0;
}
