#include "ui/burn_log_rows.h"

#include "engine/burn_record.h"
#include "text/text.h"
#include "text/utf8.h"

namespace quellix::ui {

namespace {

std::string FieldText(std::string_view record, std::size_t offset, std::size_t width,
                      platform::CodePage& code_page) {
  std::string_view field = record.substr(offset, width);
  field = field.substr(0, field.find('\0'));
  if (field.starts_with(text::kUtf8Mark)) {
    const std::string utf8 = text::TrimBlanks(field.substr(text::kUtf8Mark.size()));
    return text::IsUtf8(utf8) ? utf8 : text::Utf8FromUtf16(text::Utf16FromUtf8(utf8));
  }
  const std::string ansi = text::TrimBlanks(field);
  return text::IsAscii(ansi) ? ansi : code_page.Utf8FromAnsi(ansi);
}

}  // namespace

std::vector<BurnLogRow> BurnLogRows(std::string_view log, platform::CodePage& code_page) {
  using Record = engine::BurnRecord;
  std::vector<BurnLogRow> rows;
  rows.reserve(log.size() / Record::kSize);
  for (std::size_t at = 0; log.size() - at >= Record::kSize; at += Record::kSize) {
    const std::string_view record = log.substr(at, Record::kSize);
    rows.push_back({FieldText(record, Record::kDateOffset, Record::kDateWidth, code_page),
                    FieldText(record, Record::kTimeOffset, Record::kTimeWidth, code_page),
                    FieldText(record, Record::kBrowserOffset, Record::kBrowserWidth, code_page),
                    FieldText(record, Record::kTitleOffset, Record::kTitleWidth, code_page)});
  }
  return rows;
}

}  // namespace quellix::ui
