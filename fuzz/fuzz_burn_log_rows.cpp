// The log viewer's reader on any popuplog.txt: whole records only, fields within their widths.

#include <cstdint>
#include <string_view>

#include "platform/sim/sim_code_page.h"
#include "text/utf8.h"
#include "ui/burn_log_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static quellix::sim::SimCodePage code_page;
  const auto rows =
      quellix::ui::BurnLogRows(std::string_view(reinterpret_cast<const char*>(data), size), code_page);
  if (rows.size() != size / 150) __builtin_trap();
  // Each field comes back as UTF-8, no more than three bytes for each byte of its width.
  for (const auto& row : rows) {
    if (row.browser.size() > 90 || row.time.size() > 30 || row.date.size() > 30 || row.title.size() > 300)
      __builtin_trap();
    for (const std::string* field : {&row.browser, &row.time, &row.date, &row.title})
      if (!quellix::text::IsUtf8(*field)) __builtin_trap();
  }
  return 0;
}
