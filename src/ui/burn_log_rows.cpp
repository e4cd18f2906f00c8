#include "ui/burn_log_rows.h"

#include "engine/burn_record.h"
#include "text/text.h"

namespace quellix::ui {

namespace {

std::string FieldText(std::string_view record, std::size_t offset, std::size_t width) {
  std::string_view field = record.substr(offset, width);
  field = field.substr(0, field.find('\0'));
  return text::TrimBlanks(field);
}

}  // namespace

std::vector<BurnLogRow> BurnLogRows(std::string_view log) {
  using Record = engine::BurnRecord;
  std::vector<BurnLogRow> rows;
  rows.reserve(log.size() / Record::kSize);
  for (std::size_t at = 0; log.size() - at >= Record::kSize; at += Record::kSize) {
    const std::string_view record = log.substr(at, Record::kSize);
    rows.push_back({FieldText(record, Record::kDateOffset, Record::kDateWidth),
                    FieldText(record, Record::kTimeOffset, Record::kTimeWidth),
                    FieldText(record, Record::kBrowserOffset, Record::kBrowserWidth),
                    FieldText(record, Record::kTitleOffset, Record::kTitleWidth)});
  }
  return rows;
}

}  // namespace quellix::ui
