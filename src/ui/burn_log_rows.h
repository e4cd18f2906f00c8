#pragma once
// The rows the log viewer shows for the burn log: one per whole 150-byte record.

#include <string>
#include <string_view>
#include <vector>

namespace quellix::ui {

struct BurnLogRow {
  std::string date;     // "Date"
  std::string time;     // "Time"
  std::string browser;  // "Explorere"
  std::string title;    // "Window Title"
};

// Rows for the records of a log whose bytes are `log`, in file order. A tail shorter than a
// record is not read. Each field ends at its first zero byte (a field never written holds
// zero bytes) and loses its leading and trailing blanks.
std::vector<BurnLogRow> BurnLogRows(std::string_view log);

}  // namespace quellix::ui
