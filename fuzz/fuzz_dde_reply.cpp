// The browser information tool's parser on any DDE reply.

#include <cstdint>
#include <string_view>

#include "ui/browser_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto info = quellix::ui::ParseWindowInfoReply(std::string_view(reinterpret_cast<const char*>(data), size));
  if (info.address.size() + info.title.size() > size) __builtin_trap();
  if (info.address.find('"') != info.address.npos || info.title.find('"') != info.title.npos) __builtin_trap();
  return 0;
}
