// Each entry's burn figures and their file, the recent burns, and windows that keep
// ignoring their close requests.
#include "engine/burn_history.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_code_page.h"

namespace quellix::engine {
namespace {

using Strings = std::vector<std::string>;

TEST(HitStatsTest, FiguresSurviveTheirFileWithAwkwardTexts) {
  HitStats stats;
  for (const char* entry : {"offers", "tab\there", "line\r\nbreak", "back\\slash", "", "Ünïcode ß"})
    stats.Credit(entry, "12/8/2026 2:02:11 PM");
  stats.Credit("offers", "12/9/2026 9:00:00 AM");
  const HitStats back = HitStats::Parse(stats.Text());
  EXPECT_EQ(back.Size(), 6u);
  EXPECT_EQ(back.Of("offers").burned, 2u);
  EXPECT_EQ(back.Of("offers").last, "12/9/2026 9:00:00 AM");
  EXPECT_EQ(back.Of("line\r\nbreak").burned, 1u);
  EXPECT_EQ(back.Of("tab\there").burned, 1u);
  EXPECT_EQ(back.Of("back\\slash").burned, 1u);
  EXPECT_EQ(back.Of("").burned, 1u);
  EXPECT_EQ(back.Of("never burned").burned, 0u);
}

TEST(HitStatsTest, ACorruptOrForeignFileReadsAsNoFiguresLineByLine) {
  EXPECT_EQ(HitStats::Parse("").Size(), 0u);
  EXPECT_EQ(HitStats::Parse("offers\r\ncasino\r\n").Size(), 0u);  // a block list is not a figures file
  EXPECT_EQ(HitStats::Parse(std::string(5000, '\0')).Size(), 0u);
  const HitStats mixed = HitStats::Parse(
      "Quellix burn figures 1\r\n"
      "3\t1/1/2027\tgood\r\n"
      "x\t1/1/2027\tbad count\r\n"
      "-1\t1/1/2027\tnegative\r\n"
      "99999999999999999999999\t\thuge\r\n"
      "2\tno second tab\r\n"
      "4\t\\q\tbad escape\r\n"
      "5\t\ttrailing\\");
  EXPECT_EQ(mixed.Size(), 1u);
  EXPECT_EQ(mixed.Of("good").burned, 3u);
}

TEST(HitStatsTest, LinesEndingInLineFeedAloneReadAsWritten) {
  HitStats stats;
  stats.Credit("offers", "12/9/2026 9:00:00 AM");
  stats.Credit("line\r\nbreak", "t");
  std::string converted = stats.Text();
  for (std::size_t at; (at = converted.find("\r\n")) != std::string::npos;) converted.erase(at, 1);
  EXPECT_TRUE(HitStats::Recognised(converted));
  const HitStats back = HitStats::Parse(converted);
  EXPECT_EQ(back.Size(), 2u);
  EXPECT_EQ(back.Of("offers").last, "12/9/2026 9:00:00 AM");
  EXPECT_EQ(back.Of("line\r\nbreak").burned, 1u);
}

TEST(HitStatsTest, OnlyAnEmptyTextOrOneWithTheHeaderLineIsAFiguresFileOfOurs) {
  EXPECT_TRUE(HitStats::Recognised(""));
  EXPECT_TRUE(HitStats::Recognised("Quellix burn figures 1\r\n"));
  EXPECT_TRUE(HitStats::Recognised("Quellix burn figures 1\n3\tt\tx\n"));
  EXPECT_FALSE(HitStats::Recognised("Quellix burn figures 2\r\n"));
  EXPECT_FALSE(HitStats::Recognised("Quellix burn figures 1"));
  EXPECT_FALSE(HitStats::Recognised("offers\r\n"));
  EXPECT_FALSE(HitStats::Recognised(std::string(5000, '\0')));
}

TEST(HitStatsTest, KeepOnlyDropsTheFiguresOfEntriesThatLeftTheList) {
  HitStats stats;
  stats.Credit("a", "t");
  stats.Credit("b", "t");
  EXPECT_FALSE(stats.KeepOnly({"a", "b", "c"}));
  EXPECT_TRUE(stats.KeepOnly({"b"}));
  EXPECT_EQ(stats.Of("a").burned, 0u);
  EXPECT_EQ(stats.Of("b").burned, 1u);
}

class BurnHistoryTest : public ::testing::Test {
 protected:
  sim::SimCodePage code_page;
  BlockEntries entries;
  BurnHistory history;
  void SetUp() override { entries.Assign({"casino", "offers", "cheap"}, code_page); }
  BurnHistory::TickOutcome Tick(std::vector<BurnedWindow> burned, const std::string& time = "14:02:11") {
    return history.AfterTick(burned, entries, time, "12/8/2026 " + time);
  }
};

TEST_F(BurnHistoryTest, ABurnIsCreditedToTheFirstEntryInListOrderThatTheTitleContains) {
  const auto outcome = Tick({{1, "Cheap Offers at the Casino"}, {2, "cheap flights"}, {3, "Unlisted"}});
  EXPECT_TRUE(outcome.figures_changed);
  EXPECT_EQ(history.Figures().Of("casino").burned, 1u);  // first in the list, not first in the title
  EXPECT_EQ(history.Figures().Of("offers").burned, 0u);
  EXPECT_EQ(history.Figures().Of("cheap").burned, 1u);
  EXPECT_EQ(history.Figures().Of("cheap").last, "12/8/2026 14:02:11");
  ASSERT_EQ(history.Recent().size(), 3u);
  EXPECT_EQ(history.Recent()[0].title, "Unlisted");  // newest first
  EXPECT_EQ(history.Recent()[0].entry, "");          // burned for its style, by no entry
  EXPECT_EQ(history.Recent()[2].entry, "casino");
  EXPECT_FALSE(Tick({}).figures_changed);
}

TEST_F(BurnHistoryTest, OnlyTheLastTenBurnsAreKept) {
  for (int i = 0; i < 12; ++i)
    Tick({{static_cast<platform::WindowId>(100 + i), "offers " + std::to_string(i)}});
  ASSERT_EQ(history.Recent().size(), 10u);
  EXPECT_EQ(history.Recent().front().title, "offers 11");
  EXPECT_EQ(history.Recent().back().title, "offers 2");
}

TEST_F(BurnHistoryTest, AWindowBurnedInThreeConsecutiveTicksIsToldOncePerRun) {
  EXPECT_TRUE(Tick({{7, "offers"}}).stuck_titles.empty());
  EXPECT_TRUE(Tick({{7, "offers"}}).stuck_titles.empty());
  EXPECT_EQ(Tick({{7, "offers"}, {8, "casino"}}).stuck_titles, Strings{"offers"});
  EXPECT_TRUE(Tick({{7, "offers"}, {8, "casino"}}).stuck_titles.empty());  // told already
  EXPECT_EQ(Tick({{8, "casino"}}).stuck_titles, Strings{"casino"});
  // A tick without it starts the count again.
  EXPECT_TRUE(Tick({{9, "cheap"}}).stuck_titles.empty());
  EXPECT_TRUE(Tick({}).stuck_titles.empty());
  EXPECT_TRUE(Tick({{9, "cheap"}}).stuck_titles.empty());
  EXPECT_TRUE(Tick({{9, "cheap"}}).stuck_titles.empty());
  EXPECT_EQ(Tick({{9, "cheap"}}).stuck_titles, Strings{"cheap"});
}

}  // namespace
}  // namespace quellix::engine
