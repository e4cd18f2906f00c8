#include "blocklist/block_list_file.h"

#include <gtest/gtest.h>

#include "failing_memory.h"
#include "test_world.h"

namespace quellix::blocklist {
namespace {

using quellix::testing::World;
using Strings = std::vector<std::string>;

TEST(ReadFields, SplitsAtCommasAndLineEnds) {
  EXPECT_EQ(ReadFields("alpha\r\nbeta\r\n"), (Strings{"alpha", "beta"}));
  EXPECT_EQ(ReadFields("Buy now, cheap\r\n"), (Strings{"Buy now", "cheap"}));
  EXPECT_EQ(ReadFields("a\rb\nc"), (Strings{"a", "b", "c"}));
  EXPECT_EQ(ReadFields("last line without break"), (Strings{"last line without break"}));
  EXPECT_EQ(ReadFields(""), Strings{});
}

TEST(ReadFields, EmptyLinesAreEmptyEntries) {
  EXPECT_EQ(ReadFields("\r\n"), (Strings{""}));
  EXPECT_EQ(ReadFields("a\r\n\r\nb\r\n"), (Strings{"a", "", "b"}));
  EXPECT_EQ(ReadFields("a,\r\n"), (Strings{"a", ""}));
  EXPECT_EQ(ReadFields("a,"), (Strings{"a"}));
}

TEST(ReadFields, LeadingBlanksAreSkippedTrailingOnesKept) {
  EXPECT_EQ(ReadFields("   pad \r\n"), (Strings{"pad "}));
  EXPECT_EQ(ReadFields("   \r\n"), (Strings{""}));
  EXPECT_EQ(ReadFields("\tx\r\n"), (Strings{"\tx"}));
}

TEST(ReadFields, QuotedFieldsKeepCommasAndLineBreaks) {
  EXPECT_EQ(ReadFields("\"Buy now, cheap\"\r\nnext\r\n"), (Strings{"Buy now, cheap", "next"}));
  EXPECT_EQ(ReadFields("  \" lead\"\r\n"), (Strings{" lead"}));
  EXPECT_EQ(ReadFields("\"two\r\nlines\"\r\n"), (Strings{"two\r\nlines"}));
  EXPECT_EQ(ReadFields("\"cut\" rest dropped,next\r\n"), (Strings{"cut", "next"}));
  EXPECT_EQ(ReadFields("\"unterminated, to the end\r\nx"), (Strings{"unterminated, to the end\r\nx"}));
  EXPECT_EQ(ReadFields("\"\"\r\n"), (Strings{""}));
}

TEST(ReadFields, KeepsAnyOtherByte) {
  const std::string bytes("nul\0inside\r\n\xE9t\xE9\r\n", 17);
  EXPECT_EQ(ReadFields(bytes), (Strings{std::string("nul\0inside", 10), "\xE9t\xE9"}));
}

TEST(BlockListText, WritesOneLineAnEntry) {
  EXPECT_EQ(BlockListText({"alpha", "", "beta "}), "alpha\r\n\r\nbeta \r\n");
  EXPECT_EQ(BlockListText({}), "");
}

TEST(BlockListText, QuotesEntriesTheReaderWouldSplitOrTrim) {
  EXPECT_EQ(BlockListText({"Buy now, cheap", " lead", "a\r\nb"}), "\"Buy now, cheap\"\r\n\" lead\"\r\n\"a\r\nb\"\r\n");
  // An entry holding a double quote cannot be quoted and is written as it is.
  EXPECT_EQ(BlockListText({"say \"hi\", bye"}), "say \"hi\", bye\r\n");
}

TEST(BlockListText, EveryQuotableEntryRoundTrips) {
  const Strings entries = {"plain", "Buy now, cheap", " leading blank", "", "trailing ", ",", " ", "x,y,z",
                           "caf\xE9", "two\rparts", "-dash-"};
  EXPECT_EQ(ReadFields(BlockListText(entries)), entries);
}

class LoadBlockListTest : public ::testing::Test {
 protected:
  World world;
  DisplayedBlockList displayed;
  std::string path = world.app_folder + "\\popcfg.apo";
  void Load() { LoadBlockList(world.services(), world.app_folder, world.state.block_entries, displayed); }
};

TEST_F(LoadBlockListTest, FillsBothListsInFileOrderWithTheEntryIcon) {
  world.sim.files.Put(path, "offers\r\nCasino, Poker\r\n");
  Load();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"offers", "Casino", "Poker"}));
  EXPECT_EQ(world.state.block_entries.Entry(1), "offers");
  ASSERT_EQ(displayed.Count(), 3u);
  EXPECT_EQ(displayed.At(3).text, "Poker");
  EXPECT_EQ(displayed.At(3).icon, "a");
  EXPECT_TRUE(world.sim.messages.shown.empty());
}

TEST_F(LoadBlockListTest, AShorterListReplacesALongerOne) {
  world.sim.files.Put(path, "a\r\nb\r\nc\r\n");
  Load();
  world.sim.files.Put(path, "z\r\n");
  Load();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"z"}));
  EXPECT_EQ(displayed.Count(), 1u);
}

TEST_F(LoadBlockListTest, MissingOrEmptyFileShowsTheMessageAndKeepsTheActiveList) {
  world.sim.files.Put(path, "offers\r\n");
  Load();
  for (bool empty : {false, true}) {
    if (empty) world.sim.files.Put(path, "");
    else world.sim.files.RemoveFile(path);
    world.sim.messages.shown.clear();
    Load();
    EXPECT_EQ(displayed.Count(), 0u);
    EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"offers"}));
    ASSERT_EQ(world.sim.messages.shown.size(), 1u);
    const auto& box = world.sim.messages.shown[0];
    EXPECT_EQ(box.title, "Quellix");
    EXPECT_EQ(box.icon, platform::MessageIcon::kStop);
    EXPECT_EQ(box.buttons, platform::MessageButtons::kOk);
    EXPECT_EQ(box.text,
              "The popup burn list file is missed !!!\rPlease go to www.kelvane.example to download new file");
  }
}

TEST_F(LoadBlockListTest, UnreadableFileKeepsTheActiveListSilently) {
  world.sim.files.Put(path, "offers\r\n");
  Load();
  world.sim.files.Lock(path);
  Load();
  EXPECT_EQ(displayed.Count(), 0u);
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"offers"}));
  EXPECT_TRUE(world.sim.messages.shown.empty());
}

TEST_F(LoadBlockListTest, RunningOutOfMemoryKeepsTheActiveListAndTheProgramRunning) {
  testing::FailingMemory memory;
  engine::BlockEntries active(&memory);
  world.sim.files.Put(path, "offers\r\n");
  LoadBlockList(world.services(), world.app_folder, active, displayed);
  world.sim.files.Put(path, "casino\r\npoker\r\n");
  memory.RunOutAfter(0);
  LoadBlockList(world.services(), world.app_folder, active, displayed);
  memory.Refill();
  EXPECT_GT(memory.Failures(), 0u);
  EXPECT_EQ(active.Entries(), (Strings{"offers"}));
  EXPECT_TRUE(active.IsBlocked("cheap offers"));
  EXPECT_FALSE(active.IsBlocked("casino"));
  // The displayed list shows the file all the same, so storing it keeps the file whole.
  EXPECT_EQ(displayed.Texts(), (Strings{"casino", "poker"}));
  EXPECT_TRUE(world.sim.messages.shown.empty());
  LoadBlockList(world.services(), world.app_folder, active, displayed);
  EXPECT_EQ(active.Entries(), (Strings{"casino", "poker"}));
}

class StoreBlockListTest : public LoadBlockListTest {};

TEST_F(StoreBlockListTest, StoresTheDisplayedListAndLeavesTheActiveListAlone) {
  world.state.block_entries.Assign({"old"}, world.sim.code_page);
  displayed.Add("Buy now, cheap");
  displayed.Add("poker");
  EXPECT_TRUE(StoreBlockList(world.sim.files, world.app_folder, displayed));
  EXPECT_EQ(*world.sim.files.Get(path), "\"Buy now, cheap\"\r\npoker\r\n");
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"old"}));
  Load();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"Buy now, cheap", "poker"}));
  EXPECT_FALSE(world.state.block_entries.IsBlocked("cheap flights"));
}

TEST_F(StoreBlockListTest, AnEmptyListIsAnEmptyFileWhichLoadsAsMissing) {
  world.sim.files.Put(path, "old\r\n");
  EXPECT_TRUE(StoreBlockList(world.sim.files, world.app_folder, displayed));
  EXPECT_EQ(*world.sim.files.Get(path), "");
  Load();
  EXPECT_EQ(world.sim.messages.shown.size(), 1u);
}

TEST_F(StoreBlockListTest, AnInterruptedStoreLeavesTheOldFileWhole) {
  const std::string old_text = "one\r\ntwo\r\nthree\r\n";
  for (const char* entry : {"alpha", "beta, gamma", " delta"}) displayed.Add(entry);
  const std::string new_text = BlockListText(displayed.Texts());
  for (std::size_t k = 0; k <= new_text.size(); ++k) {
    World w;
    const std::string p = w.app_folder + "\\popcfg.apo";
    w.sim.files.Put(p, old_text);
    w.sim.files.SetWriteBudget(k);
    const bool stored = StoreBlockList(w.sim.files, w.app_folder, displayed);
    const std::string result = *w.sim.files.Get(p);
    EXPECT_TRUE(result == old_text || result == new_text) << "cut after " << k << " bytes";
    EXPECT_EQ(stored, result == new_text) << k;
  }
}

TEST_F(StoreBlockListTest, ALockedFileIsNotReportedAsStored) {
  world.sim.files.Put(path, "old\r\n");
  world.sim.files.Lock(path);
  displayed.Add("new");
  EXPECT_FALSE(StoreBlockList(world.sim.files, world.app_folder, displayed));
  EXPECT_EQ(world.sim.files.FileCount(), 1u);  // no temporary file left behind
}

TEST(BlockEntries, MatchesLowerCasedSubstrings) {
  sim::SimCodePage code_page;
  engine::BlockEntries entries;
  EXPECT_FALSE(entries.IsBlocked("anything"));
  entries.Assign({"OFFERS", "\xC9t\xC9"}, code_page);
  EXPECT_TRUE(entries.IsBlocked("cheap offers today"));
  EXPECT_TRUE(entries.IsBlocked("l'\xE9t\xE9"));
  EXPECT_FALSE(entries.IsBlocked("offer"));
  EXPECT_FALSE(entries.IsBlocked(""));
  entries.Assign({""}, code_page);
  EXPECT_TRUE(entries.IsBlocked("x"));
  EXPECT_FALSE(entries.IsBlocked(""));
}

}  // namespace
}  // namespace quellix::blocklist
