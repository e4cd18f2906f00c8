#include "engine/burn_record.h"

#include <gtest/gtest.h>

#include "engine/window_inspection.h"
#include "test_world.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;

class BurnRecordTest : public ::testing::Test {
 protected:
  World world;
  BurnTraces traces{world.services(), world.app_folder, world.state.burn_record, world.state.burn_count,
                    world.state.sound};
  std::string log_path = world.app_folder + "\\popuplog.txt";
};

TEST_F(BurnRecordTest, FullRecordLayout) {
  world.sim.clock.date = "12/7/2026";
  world.sim.clock.time = "11:15:02 PM";
  AppendFullRecord(traces, kIeBrowserName, "Cheap Offers");
  const std::string log = world.Log();
  ASSERT_EQ(log.size(), 150u);
  EXPECT_EQ(log.substr(0, 30), "Internet Explorer             ");
  EXPECT_EQ(log.substr(30, 10), "11:15:02 P");  // cut to the field
  EXPECT_EQ(log.substr(40, 10), "12/7/2026 ");
  EXPECT_EQ(log.substr(50), "Cheap Offers" + std::string(88, ' '));
}

TEST_F(BurnRecordTest, DatesAndTimesThatWouldLoseAPartInTheirFieldAreWrittenInTheirIsoForm) {
  struct Case {
    const char* date;
    const char* time;
    const char* date_field;
    const char* time_field;
  };
  world.sim.clock.iso_date = "2025-03-12";
  world.sim.clock.clock_time = "23:05:02";
  const std::vector<Case> cases = {
      {"2025. 03. 12.", "23:05:02", "2025-03-12", "23:05:02  "},               // cut, the day would go
      {"2025.03.12.", "23:05:02", "2025-03-12", "23:05:02  "},                 // longer than the field
      {"12/31/2025", "1:05:02 PM", "12/31/2025", "1:05:02 PM"},                // exactly 10 bytes fit
      {"3/12/2025", "11:05:02 PM", "3/12/2025 ", "11:05:02 P"},                // only the marker's end goes
      {"3/12/2025", "23:05:02 Uhr", "3/12/2025 ", "23:05:02 U"},               // the same for a trailing word
      {"2025/3/12", "\xBF\xC0\xC8\xC4 11:05:02", "2025/3/12 ", "23:05:02  "},  // cut, the seconds would go
      {"2025/3/12", "PM 1:05:02", "2025/3/12 ", "PM 1:05:02"},
      {"2025/3/12", "PM 11:05:02", "2025/3/12 ", "23:05:02  "},
      {"", "", "2025-03-12", "23:05:02  "},  // the system gave nothing
  };
  for (const Case& c : cases) {
    world.sim.clock.date = c.date;
    world.sim.clock.time = c.time;
    world.sim.files.Put(log_path, "");
    AppendFullRecord(traces, kIeBrowserName, "Cheap Offers");
    const std::string log = world.Log();
    ASSERT_EQ(log.size(), 150u) << c.date;
    EXPECT_EQ(log.substr(30, 10), c.time_field) << c.time;
    EXPECT_EQ(log.substr(40, 10), c.date_field) << c.date;
    EXPECT_EQ(log.substr(50, 12), "Cheap Offers");
  }
  // The short form has no field of its own for them: it keeps the user's texts.
  world.sim.clock.date = "2025. 03. 12.";
  world.sim.clock.time = "11:05:02 PM";
  AppendShortRecord(traces, "Pop");
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(150 + 50)), "[ 2025. 03. 12. ] [ 11:05:02 PM ] [ Pop ]");
}

TEST_F(BurnRecordTest, TitleIsCutOrPaddedTo100Bytes) {
  AppendFullRecord(traces, kIeBrowserName, std::string(120, 't'));
  AppendFullRecord(traces, kIeBrowserName, "short");
  const std::string log = world.Log();
  ASSERT_EQ(log.size(), 300u);
  EXPECT_EQ(log.substr(50, 100), std::string(100, 't'));
  EXPECT_EQ(log.substr(200, 100), "short" + std::string(95, ' '));
}

TEST_F(BurnRecordTest, ShortRecordBeforeAnyFullRecordHasZeroBytesUpFront) {
  AppendShortRecord(traces, "Pop");
  const std::string log = world.Log();
  ASSERT_EQ(log.size(), 150u);
  EXPECT_EQ(log.substr(0, 50), std::string(50, '\0'));
  EXPECT_EQ(text::TrimBlanks(log.substr(50)), "[ 12/7/2026 ] [ 11:15:02 PM ] [ Pop ]");
}

TEST_F(BurnRecordTest, ShortRecordRepeatsTheFieldsOfTheLastRecord) {
  AppendFullRecord(traces, kMozillaBrowserName, "First");
  world.sim.clock.time = "1:00:00 AM";
  AppendShortRecord(traces, "Second");
  const std::string log = world.Log();
  ASSERT_EQ(log.size(), 300u);
  EXPECT_EQ(log.substr(150, 50), log.substr(0, 50));
  EXPECT_EQ(log.substr(150, 18), "Netscape / Mozilla");
}

TEST_F(BurnRecordTest, AppendGoesAfterTheLastWholeRecordAndOverwritesATornTail) {
  struct Case {
    std::size_t length;
    std::size_t expected_offset;
  };
  for (Case c :
       {Case{0, 0}, Case{150, 150}, Case{225, 150}, Case{299, 150}, Case{375, 300}, Case{450, 450}}) {
    world.sim.files.Put(log_path, std::string(c.length, 'o'));
    AppendFullRecord(traces, kIeBrowserName, "T");
    const std::string log = *world.sim.files.Get(log_path);
    EXPECT_EQ(log.size(), std::max(c.length, c.expected_offset + 150)) << c.length;
    EXPECT_EQ(log.substr(c.expected_offset, 17), "Internet Explorer") << c.length;
    EXPECT_EQ(log.substr(0, c.expected_offset), std::string(c.expected_offset, 'o')) << c.length;
  }
}

TEST_F(BurnRecordTest, UnwritableLogLosesOnlyThatRecord) {
  world.sim.files.Put(log_path, std::string(150, 'o'));
  world.sim.files.Lock(log_path);
  AppendFullRecord(traces, kIeBrowserName, "T");
  EXPECT_EQ(world.sim.files.Get(log_path)->size(), 150u);
}

TEST_F(BurnRecordTest, CounterCountsFromTheStoredValue) {
  EXPECT_EQ(NextBurnCount(""), "1");
  EXPECT_EQ(NextBurnCount("41"), "42");
  EXPECT_EQ(NextBurnCount("abc"), "1");
  EXPECT_EQ(NextBurnCount("-7"), "1");
  EXPECT_EQ(NextBurnCount("9.9"), "10");
  EXPECT_EQ(NextBurnCount("1e300"), "9007199254740992");
  CountBurn(traces);
  EXPECT_EQ(world.state.burn_count, "1");
  EXPECT_EQ(world.Option("cnt"), "1");
}

TEST_F(BurnRecordTest, CounterThatCannotBeStoredStaysRaisedInMemory) {
  world.sim.registry.DenyAccess(platform::RegistryRoot::kLocalMachine, "", platform::regaccess::kSetValue);
  world.state.burn_count = "41";
  CountBurn(traces);
  EXPECT_EQ(world.state.burn_count, "42");
  EXPECT_EQ(world.Option("cnt"), "<absent>");
}

TEST_F(BurnRecordTest, SoundFollowsTheSoundOptions) {
  struct Case {
    const char *play, *internal, *browse;
    std::vector<std::string> expected;
  };
  const std::string own = world.app_folder + "\\wav\\7.wav";
  const std::vector<Case> cases = {
      {"1", "0", "1", {"C:\\sounds\\boom.wav"}},
      {"1", "1", "0", {own}},  // "Internal Sound" plays the product's own sound
      {"1", "1", "1", {"C:\\sounds\\boom.wav"}},
      {"1", "0", "0", {}},
      {"0", "0", "1", {}},
      {"", "", "", {}},
  };
  for (const Case& c : cases) {
    world.sim.sound.played.clear();
    world.state.sound = SoundCopies{c.play, c.internal, c.browse, "  C:\\sounds\\boom.wav "};
    PlayBurnSound(traces);
    EXPECT_EQ(world.sim.sound.played, c.expected) << c.play << c.internal << c.browse;
  }
}

}  // namespace
}  // namespace quellix::engine
