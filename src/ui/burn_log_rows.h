#pragma once
// The rows the log viewer shows for the burn log: one per whole 150-byte record.

#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace quellix::ui {

struct BurnLogRow {
  std::string date;     // "Date"
  std::string time;     // "Time"
  std::string browser;  // "Explorere"
  std::string title;    // "Window Title"
};

// Rows for the records of a log whose bytes are `log`, in file order, as UTF-8. A tail
// shorter than a record is not read. Each field ends at its first zero byte (a field never
// written holds zero bytes) and loses its leading and trailing blanks. A field that begins
// with the UTF-8 byte-order mark holds UTF-8 after it (bytes that are not UTF-8 read as
// U+FFFD); any other field is text of the ANSI code page.
std::vector<BurnLogRow> BurnLogRows(std::string_view log, platform::CodePage& code_page);

}  // namespace quellix::ui
