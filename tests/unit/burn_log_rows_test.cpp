// The log viewer's reading of popuplog.txt, including logs other programs or crashes left.

#include <gtest/gtest.h>

#include <string>

#include "engine/burn_record.h"
#include "ui/burn_log_rows.h"

namespace quellix::ui {
namespace {

std::string Record(const std::string& browser, const std::string& time, const std::string& date,
                   const std::string& title) {
  engine::BurnRecord r;
  r.SetBrowser(browser);
  r.SetTime(time);
  r.SetDate(date);
  r.SetTitle(title);
  return std::string(r.Bytes());
}

TEST(BurnLogRows, OneTrimmedRowPerWholeRecordInFileOrder) {
  const std::string log = Record("Internet Explorer", "11:15:02 P", "12/7/2026", "Cheap Offers") +
                          Record("Netscape / Mozilla", "9:01:00 AM", "1/2/2027", "  casino  ");
  const auto rows = BurnLogRows(log);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].date, "12/7/2026");
  EXPECT_EQ(rows[0].time, "11:15:02 P");
  EXPECT_EQ(rows[0].browser, "Internet Explorer");
  EXPECT_EQ(rows[0].title, "Cheap Offers");
  EXPECT_EQ(rows[1].title, "casino");
  EXPECT_EQ(BurnLogRows(log + std::string(50, 'x')).size(), 2u);  // 350 bytes: the torn tail is not read
  EXPECT_EQ(BurnLogRows(log.substr(0, 149)).size(), 0u);
  EXPECT_TRUE(BurnLogRows("").empty());
}

TEST(BurnLogRows, ZeroBytesEndAField) {
  // A short-form record leaves the time, date and title as zero bytes; a zero-filled
  // record (a file extended by a crash) shows as an empty row.
  engine::BurnRecord short_form;
  short_form.SetBrowser("Internet Explorer");
  std::string log = std::string(short_form.Bytes()) + std::string(150, '\0');
  log += Record("IE", "1", "2", "ab");
  log[300 + 50 + 1] = '\0';  // "a\0" + blanks
  const auto rows = BurnLogRows(log);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].browser, "Internet Explorer");
  EXPECT_EQ(rows[0].date, "");
  EXPECT_EQ(rows[0].title, "");
  EXPECT_EQ(rows[1].browser, "");
  EXPECT_EQ(rows[2].title, "a");
}

TEST(BurnLogRows, AHundredThousandRecords) {
  const std::string one = Record("Internet Explorer", "10:00:00 A", "12/7/2026", "Pop-up ad");
  std::string log;
  log.reserve(one.size() * 100000);
  for (int i = 0; i < 100000; ++i) log += one;
  const auto rows = BurnLogRows(log);
  ASSERT_EQ(rows.size(), 100000u);
  EXPECT_EQ(rows.back().title, "Pop-up ad");
}

}  // namespace
}  // namespace quellix::ui
