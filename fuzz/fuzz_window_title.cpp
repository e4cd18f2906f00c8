// ReadWindowTitle on any caption bytes: at most 99 characters, cut at the first NUL, and
// cut before the character that precedes the last dash.

#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/window_inspection.h"
#include "platform/sim/sim_desktop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix;
  const std::string caption(reinterpret_cast<const char*>(data), size);
  sim::SimDesktop desktop;
  const auto window = desktop.AddWindow("IEFrame", caption);
  const std::string title = engine::ReadWindowTitle(desktop, window);
  std::string expected = caption.substr(0, std::min<std::size_t>({caption.find('\0'), caption.size(), 99}));
  const auto dash = expected.rfind('-');
  if (dash != std::string::npos && dash > 0) expected.resize(dash - 1);
  if (title != expected) __builtin_trap();
  return 0;
}
