// The log viewer's reading of popuplog.txt, including logs other programs or crashes left.

#include <gtest/gtest.h>

#include <string>

#include "engine/burn_record.h"
#include "platform/sim/sim_code_page.h"
#include "text/utf8.h"
#include "ui/burn_log_rows.h"

namespace quellix::ui {
namespace {

sim::SimCodePage western;

std::vector<BurnLogRow> BurnLogRows(std::string_view log) { return ui::BurnLogRows(log, western); }

std::string Record(const std::string& browser, const std::string& time, const std::string& date,
                   const std::string& title) {
  engine::BurnRecord r;
  r.SetBrowser(browser, western);
  r.SetTime(time, western);
  r.SetDate(date, western);
  r.SetTitle(title, western);
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
  short_form.SetBrowser("Internet Explorer", western);
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

// Titles of any script: a title the code page holds is written in it, byte for byte as
// before; any other is kept whole as UTF-8 behind its mark in the same 100 bytes.
TEST(BurnLogRows, TitlesOfEveryScriptAreKeptInTheRecordAndShownWhole) {
  const std::string vyigrai = "\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9 iPhone";  // "Выиграй iPhone"
  const std::string western_title = Record("Internet Explorer", "1", "2", "caf\xC3\xA9 \xE2\x82\xAC");
  ASSERT_EQ(western_title.size(), 150u);
  EXPECT_EQ(western_title.substr(50, 6), "caf\xE9 \x80");  // the code page's bytes
  const std::string cyrillic = Record("Netscape / Mozilla", "1", "2", vyigrai);
  ASSERT_EQ(cyrillic.size(), 150u);
  EXPECT_EQ(cyrillic.substr(50, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(cyrillic.substr(53, vyigrai.size()), vyigrai);
  EXPECT_EQ(cyrillic.find('?'), std::string::npos);
  const auto rows = BurnLogRows(western_title + cyrillic);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].title, "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(rows[1].title, vyigrai);
}

TEST(BurnLogRows, ALongUnicodeTitleIsCutBetweenCharactersWithinItsField) {
  std::string long_title;
  for (int i = 0; i < 40; ++i) long_title += "\xE4\xB8\xAD";  // 40 Chinese characters, 120 bytes
  const std::string record = Record("IE", "1", "2", long_title);
  ASSERT_EQ(record.size(), 150u);
  const std::string title = BurnLogRows(record)[0].title;
  EXPECT_TRUE(text::IsUtf8(title));
  EXPECT_EQ(title, long_title.substr(0, 96));  // 97 bytes of room hold 32 whole characters
  EXPECT_EQ(record.substr(149, 1), " ");
}

TEST(BurnLogRows, AnAnsiTitleThatWouldOpenLikeTheMarkIsWrittenAsUtf8) {
  // "ï»¿x": in the Western page its bytes are the mark's, so it goes as UTF-8.
  const std::string record = Record("IE", "1", "2", "\xC3\xAF\xC2\xBB\xC2\xBFx");
  EXPECT_EQ(BurnLogRows(record)[0].title, "\xC3\xAF\xC2\xBB\xC2\xBFx");
}

TEST(BurnLogRows, FieldsOfOtherProgramsAndOlderVersionsReadInTheirCodePage) {
  sim::SimCodePage cyrillic_page;
  cyrillic_page.system = sim::SimCodePage::System::kCyrillic1251;
  std::string record(150, ' ');
  record.replace(50, 7, "\xC2\xFB\xE8\xE3\xF0\xE0\xE9");  // "Выиграй" in 1251
  EXPECT_EQ(ui::BurnLogRows(record, cyrillic_page)[0].title, "\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9");
  // A marked field whose bytes are not UTF-8 shows the replacement character, never a crash.
  record.replace(50, 5, "\xEF\xBB\xBF\xFF\xFE");
  EXPECT_TRUE(text::IsUtf8(ui::BurnLogRows(record, cyrillic_page)[0].title));
}

}  // namespace
}  // namespace quellix::ui
