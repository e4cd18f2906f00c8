// ReadWindowTitle on any caption bytes: the caption as the system keeps it (UTF-16, a byte
// that is no UTF-8 as U+FFFD), at most 99 UTF-16 units and never half a pair, cut at the
// first NUL, and cut before the character that precedes the last dash ("-" or the em dash).

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/window_inspection.h"
#include "platform/sim/sim_desktop.h"
#include "text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix;
  const std::string caption(reinterpret_cast<const char*>(data), size);
  sim::SimDesktop desktop;
  const auto window = desktop.AddWindow("IEFrame", caption);
  const std::string title = engine::ReadWindowTitle(desktop, window);

  std::u16string units = text::Utf16FromUtf8(caption.substr(0, std::min(caption.find('\0'), caption.size())));
  if (units.size() > 99) {
    units.resize(99);
    if (units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
  }
  std::vector<std::u16string> characters;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size();
    characters.push_back(units.substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  std::size_t keep = characters.size();
  for (std::size_t i = 1; i < characters.size(); ++i)
    if (characters[i] == u"-" || characters[i] == u"\u2014") keep = i - 1;
  std::u16string expected;
  for (std::size_t i = 0; i < keep; ++i) expected += characters[i];
  if (title != text::Utf8FromUtf16(expected) || !text::IsUtf8(title) || text::Utf16Length(title) > 99)
    __builtin_trap();
  return 0;
}
