#include "blocklist/block_list_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

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
  EXPECT_EQ(BlockListText({"Buy now, cheap", " lead", "a\r\nb"}),
            "\"Buy now, cheap\"\r\n\" lead\"\r\n\"a\r\nb\"\r\n");
  // A double quote anywhere makes the entry quoted, with its own quotes doubled.
  EXPECT_EQ(BlockListText({"say \"hi\", bye"}), "\"say \"\"hi\"\", bye\"\r\n");
  EXPECT_EQ(BlockListText({"\"Free", "x\""}), "\"\"\"Free\"\r\n\"x\"\"\"\r\n");
  // Only a first entry can be taken for a byte-order mark.
  EXPECT_EQ(BlockListText({"\xEF\xBB\xBFx", "\xFF\xFEy"}), "\"\xEF\xBB\xBFx\"\r\n\xFF\xFEy\r\n");
}

TEST(BlockListText, EntriesWithQuotesComeBackExactly) {
  // Each of these once came back as other entries: an unmatched quote swallowed the lines
  // after it, a quoted part split a title at its comma, and text after a quote was dropped.
  const Strings lists[] = {{"\"Free", "casino", "poker"},
                           {"Watch \"Top 10\", free"},
                           {"\"Congratulations\" you won"},
                           {"\"", "\"\"", ",\"", "\",", "a\"\"\"b"}};
  for (const Strings& entries : lists) EXPECT_EQ(ReadFields(BlockListText(entries)), entries);
}

TEST(ReadFields, ADoubledQuoteInsideAQuotedFieldIsOneQuote) {
  EXPECT_EQ(ReadFields("\"a\"\"b\"\r\n"), (Strings{"a\"b"}));
  EXPECT_EQ(ReadFields("\"\"\"\"\r\n\"\"\r\n"), (Strings{"\"", ""}));
  EXPECT_EQ(ReadFields("\"\"\"Free\", next\r\n"), (Strings{"\"Free", "next"}));
  EXPECT_EQ(ReadFields("\"end\"\""), (Strings{"end\""}));  // a doubled quote at the very end
  EXPECT_EQ(ReadFields("\"open\"\"\r\nrest"), (Strings{"open\"\r\nrest"}));
}

TEST(ReadFields, HandWrittenFilesReadAsBefore) {
  struct Case {
    const char* bytes;
    Strings entries;
  };
  const Case cases[] = {
      {"offers\r\nCasino, Poker\r\n", {"offers", "Casino", "Poker"}},
      {"say \"hi\", bye\r\n", {"say \"hi\"", "bye"}},  // a quote inside an unquoted field is text
      {"a\"b\r\n", {"a\"b"}},
      {"\"cut\" rest dropped,next\r\n", {"cut", "next"}},
      {"\"unterminated, to the end\r\nx", {"unterminated, to the end\r\nx"}},
      {"  \"quoted\"  \r\n", {"quoted"}},
      {"one\ntwo\rthree\r\n\r\n", {"one", "two", "three", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadFields(c.bytes), c.entries) << c.bytes;
}

TEST(BlockListText, FilesWhoseEntriesNeedNoQuotesStayByteForByte) {
  std::ifstream in(std::string(QUELLIX_SOURCE_DIR) + "/res/popcfg.apo", std::ios::binary);
  const std::string shipped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(shipped.empty());
  EXPECT_EQ(BlockListText(ReadFields(shipped)), shipped);
  const std::string plain = "offers\r\n\r\ntrailing \r\nx\ty\r\n\xE9t\xE9\r\n-dash-\r\n";
  EXPECT_EQ(BlockListText(ReadFields(plain)), plain);
}

// Entry lists made of the pieces that have broken the file before.
class EntryListGenerator {
 public:
  explicit EntryListGenerator(unsigned seed) : random_(seed) {}
  Strings Next() {
    // UTF-8 of "é", U+FEFF, and "ÿþ", "þÿ" and "ï»¿", whose bytes in the Western page are
    // byte-order marks; "Ж" and "🎁", which that page lacks.
    static const char* const kPieces[] = {
        "\"",  ",",           "\r",        "\n",           "\r\n",     " ",          "  ",
        "a",   "Top",         "\t",        "\xC3\xA9",     "\xEF\xBB\xBF", "\xC3\xBF\xC3\xBE", "\xC3\xBE\xC3\xBF",
        "\xC3\xAF\xC2\xBB\xC2\xBF", "\xD0\x96", "\xF0\x9F\x8E\x81", "\"\"", "\", ",     "\",\"",       "x y"};
    Strings entries(Pick(7));
    for (std::string& entry : entries) {
      for (std::size_t n = Pick(7); n > 0; --n) entry += kPieces[Pick(std::size(kPieces))];
    }
    return entries;
  }

 private:
  std::size_t Pick(std::size_t below) {
    return std::uniform_int_distribution<std::size_t>(0, below - 1)(random_);
  }
  std::mt19937 random_;
};

TEST(BlockListFileProperty, EveryEntryListStoresLoadsExportsAndImportsAsItself) {
  EntryListGenerator generator(15);
  for (int round = 0; round < 3000; ++round) {
    const Strings entries = generator.Next();
    SCOPED_TRACE(::testing::PrintToString(entries));
    ASSERT_EQ(ReadFields(BlockListText(entries)), entries);

    World w;
    DisplayedBlockList displayed;
    for (const std::string& e : entries) displayed.Add(e);
    ASSERT_TRUE(StoreBlockList(w.sim.files, w.sim.code_page, w.app_folder, displayed));
    DisplayedBlockList loaded;
    quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, loaded);
    ASSERT_EQ(loaded.Texts(), entries);
    ASSERT_EQ(w.state.block_entries.Entries(), entries);

    ASSERT_TRUE(ExportBlockList(w.sim.files, w.sim.code_page, "D:\\x.pao", displayed));
    DisplayedBlockList imported;
    ASSERT_EQ(ImportBlockList(w.sim.files, w.sim.code_page, "D:\\x.pao", imported), "");
    ASSERT_EQ(imported.Texts(), entries);
  }
}

TEST(BlockListText, EveryQuotableEntryRoundTrips) {
  const Strings entries = {"plain", "Buy now, cheap", " leading blank", "",           "trailing ", ",",
                           " ",     "x,y,z",          "caf\xE9",        "two\rparts", "-dash-"};
  EXPECT_EQ(ReadFields(BlockListText(entries)), entries);
}

class LoadBlockListTest : public ::testing::Test {
 protected:
  World world;
  DisplayedBlockList displayed;
  std::string path = world.app_folder + "\\popcfg.apo";
  void Load() { quellix::testing::LoadListAsAtStart(world.services(), world.app_folder, world.state.block_entries, displayed); }
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
    if (empty)
      world.sim.files.Put(path, "");
    else
      world.sim.files.RemoveFile(path);
    world.sim.messages.shown.clear();
    Load();
    EXPECT_EQ(displayed.Count(), 0u);
    EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"offers"}));
    ASSERT_EQ(world.sim.messages.shown.size(), 1u);
    const auto& box = world.sim.messages.shown[0];
    EXPECT_EQ(box.title, "Quellix");
    EXPECT_EQ(box.icon, platform::MessageIcon::kStop);
    EXPECT_EQ(box.buttons, platform::MessageButtons::kOk);
    EXPECT_EQ(
        box.text,
        "The popup burn list file is missed !!!\rPlease go to www.kelvane.example to download new file");
  }
}

TEST_F(LoadBlockListTest, AnUnreadableFileKeepsTheActiveListAndSaysWhyAndThatNothingChanged) {
  world.sim.files.Put(path, "offers\r\n");
  Load();
  world.sim.files.Lock(path);
  world.sim.files.SetErrorText(
      "The process cannot access the file because another process has locked a portion of the file.");
  EXPECT_EQ(quellix::testing::LoadListAsAtStart(world.services(), world.app_folder, world.state.block_entries, displayed),
            ListRead::Outcome::kFailed);
  EXPECT_EQ(displayed.Count(), 0u);
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"offers"}));
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  const auto& box = world.sim.messages.shown[0];
  EXPECT_EQ(box.title, "Quellix");
  EXPECT_EQ(box.icon, platform::MessageIcon::kStop);
  EXPECT_EQ(
      box.text,
      "The popup burn list file popcfg.apo could not be read.\r\nThe process cannot access the file because "
      "another process has locked a portion of the file.\r\nNothing was changed: the file is kept as it is, "
      "and the list is not saved over it until it can be read.");
}

TEST_F(LoadBlockListTest, RunningOutOfMemoryKeepsTheActiveListAndTheProgramRunning) {
  testing::FailingMemory memory;
  engine::BlockEntries active(&memory);
  world.sim.files.Put(path, "offers\r\n");
  quellix::testing::LoadListAsAtStart(world.services(), world.app_folder, active, displayed);
  world.sim.files.Put(path, "casino\r\npoker\r\n");
  memory.RunOutAfter(0);
  quellix::testing::LoadListAsAtStart(world.services(), world.app_folder, active, displayed);
  memory.Refill();
  EXPECT_GT(memory.Failures(), 0u);
  EXPECT_EQ(active.Entries(), (Strings{"offers"}));
  EXPECT_TRUE(active.IsBlocked("cheap offers"));
  EXPECT_FALSE(active.IsBlocked("casino"));
  // The displayed list shows the file all the same, so storing it keeps the file whole.
  EXPECT_EQ(displayed.Texts(), (Strings{"casino", "poker"}));
  EXPECT_TRUE(world.sim.messages.shown.empty());
  quellix::testing::LoadListAsAtStart(world.services(), world.app_folder, active, displayed);
  EXPECT_EQ(active.Entries(), (Strings{"casino", "poker"}));
}

class StoreBlockListTest : public LoadBlockListTest {};

TEST_F(StoreBlockListTest, StoresTheDisplayedListAndLeavesTheActiveListAlone) {
  world.state.block_entries.Assign({"old"}, world.sim.code_page);
  displayed.Add("Buy now, cheap");
  displayed.Add("poker");
  EXPECT_TRUE(StoreBlockList(world.sim.files, world.sim.code_page, world.app_folder, displayed));
  EXPECT_EQ(*world.sim.files.Get(path), "\"Buy now, cheap\"\r\npoker\r\n");
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"old"}));
  Load();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"Buy now, cheap", "poker"}));
  EXPECT_FALSE(world.state.block_entries.IsBlocked("cheap flights"));
}

TEST_F(StoreBlockListTest, AnEmptyListIsAnEmptyFileWhichLoadsAsMissing) {
  world.sim.files.Put(path, "old\r\n");
  EXPECT_TRUE(StoreBlockList(world.sim.files, world.sim.code_page, world.app_folder, displayed));
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
    const bool stored = StoreBlockList(w.sim.files, w.sim.code_page, w.app_folder, displayed).written;
    const std::string result = *w.sim.files.Get(p);
    EXPECT_TRUE(result == old_text || result == new_text) << "cut after " << k << " bytes";
    EXPECT_EQ(stored, result == new_text) << k;
  }
}

TEST_F(StoreBlockListTest, ALockedFileIsNotReportedAsStored) {
  world.sim.files.Put(path, "old\r\n");
  world.sim.files.Lock(path);
  displayed.Add("new");
  EXPECT_FALSE(StoreBlockList(world.sim.files, world.sim.code_page, world.app_folder, displayed));
  EXPECT_EQ(world.sim.files.FileCount(), 1u);  // no temporary file left behind
}

TEST(BlockEntries, MatchesLowerCasedSubstrings) {
  sim::SimCodePage code_page;
  engine::BlockEntries entries;
  EXPECT_FALSE(entries.IsBlocked("anything"));
  entries.Assign({"OFFERS", "\xC3\x89T\xC3\x89"}, code_page);  // "ÉTÉ"
  EXPECT_TRUE(entries.IsBlocked("cheap offers today"));
  EXPECT_TRUE(entries.IsBlocked("l'\xC3\xA9t\xC3\xA9"));  // "l'été"
  EXPECT_FALSE(entries.IsBlocked("offer"));
  EXPECT_FALSE(entries.IsBlocked(""));
  entries.Assign({""}, code_page);
  EXPECT_TRUE(entries.IsBlocked("x"));
  EXPECT_FALSE(entries.IsBlocked(""));
}

}  // namespace
}  // namespace quellix::blocklist
