// The log viewer's reader on any popuplog.txt: whole records only, fields within their widths.

#include <cstdint>
#include <string_view>

#include "ui/burn_log_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto rows = quellix::ui::BurnLogRows(std::string_view(reinterpret_cast<const char*>(data), size));
  if (rows.size() != size / 150) __builtin_trap();
  for (const auto& row : rows) {
    if (row.browser.size() > 30 || row.time.size() > 10 || row.date.size() > 10 || row.title.size() > 100)
      __builtin_trap();
  }
  return 0;
}
