// How list files are read, popcfg.apo and imported .pao files alike: byte-order marks,
// UTF-8 and UTF-16 text read whole, text without a mark in the ANSI code page, files that are no list, and
// files too large or of too many entries for the memory they would take.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "blocklist/block_list_file.h"
#include "main_window_rig.h"
#include "test_world.h"

namespace quellix::blocklist {
namespace {

using quellix::testing::World;
using Strings = std::vector<std::string>;

// UTF-16 bytes with the byte-order mark of the given order, for text of ASCII and Latin-1
// characters and a few others given as code units.
std::string Utf16(std::u16string_view text, bool little = true) {
  std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += little ? low : high;
    bytes += little ? high : low;
  }
  return bytes;
}

// A file system whose reads run out of memory, as reading a huge file into a string does.
class MemoryStarvedFiles final : public platform::FileSystem {
 public:
  explicit MemoryStarvedFiles(platform::FileSystem& files) : files_(files) {}
  std::optional<std::string> ReadFile(const std::string&) override { throw std::bad_alloc(); }
  std::optional<std::string> ReadAt(const std::string&, std::uint64_t, std::size_t) override {
    throw std::bad_alloc();
  }
  std::optional<std::uint64_t> FileSize(const std::string& path) override { return files_.FileSize(path); }
  std::optional<platform::FileStamp> Stamp(const std::string& path) override { return files_.Stamp(path); }
  bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) override {
    return files_.WriteAt(path, offset, bytes);
  }
  platform::NewFile WriteNewFile(const std::string& path, std::string_view bytes) override {
    return files_.WriteNewFile(path, bytes);
  }
  bool ReplaceFile(const std::string& from, const std::string& to) override {
    return files_.ReplaceFile(from, to);
  }
  bool RemoveFile(const std::string& path) override { return files_.RemoveFile(path); }
  bool ClearFile(const std::string& path) override { return files_.ClearFile(path); }
  std::vector<platform::FoundFile> FindFiles(const std::string& folder, std::string_view prefix) override {
    return files_.FindFiles(folder, prefix);
  }
  bool CreateFolder(const std::string& path) override { return files_.CreateFolder(path); }
  std::string LocalAppDataFolder() override { return files_.LocalAppDataFolder(); }
  std::uint64_t Now() override { return files_.Now(); }
  std::string LastError() override { return files_.LastError(); }

 private:
  platform::FileSystem& files_;
};

class ListTextTest : public ::testing::Test {
 protected:
  sim::SimCodePage code_page;
  std::string problem;
  std::optional<std::string> Text(std::string_view bytes) {
    return ListTextFromBytes(std::string(bytes), code_page, problem);
  }
};

TEST_F(ListTextTest, AUtf8MarkIsDroppedAndTheUtf8AfterItKeptWhole) {
  EXPECT_EQ(Text("\xEF\xBB\xBFoffers\r\n"), "offers\r\n");
  // "café, €", "中" and "🎁": characters of no code page stay what they are.
  EXPECT_EQ(Text("\xEF\xBB\xBF"
                 "caf\xC3\xA9, \xE2\x82\xAC\r\n\xE4\xB8\xAD\r\n\xF0\x9F\x8E\x81\r\n"),
            "caf\xC3\xA9, \xE2\x82\xAC\r\n\xE4\xB8\xAD\r\n\xF0\x9F\x8E\x81\r\n");
  // Not UTF-8 after all: the bytes after the mark are the code page's own.
  EXPECT_EQ(Text("\xEF\xBB\xBF"
                 "caf\xE9\r\n"),
            "caf\xC3\xA9\r\n");
  EXPECT_EQ(Text("\xEF\xBB\xBF"), "");
}

TEST_F(ListTextTest, Utf16WithAMarkInEitherOrderIsReadWhole) {
  EXPECT_EQ(Text(Utf16(u"Casino\r\nPoker, caf\u00E9 \u20AC\r\n")),
            "Casino\r\nPoker, caf\xC3\xA9 \xE2\x82\xAC\r\n");
  EXPECT_EQ(Text(Utf16(u"Casino\r\n\u4E2D\r\n", false)), "Casino\r\n\xE4\xB8\xAD\r\n");
  EXPECT_EQ(Text(Utf16(u"\U0001F381 gift")), "\xF0\x9F\x8E\x81 gift");  // a surrogate pair
  EXPECT_EQ(Text(Utf16(std::u16string{u'a', 0xD83D, u'b'})), "a\xEF\xBF\xBD" "b");  // half a pair
  EXPECT_EQ(Text(Utf16(u"ab") + "c"), "ab");  // an odd last byte is no character
  EXPECT_EQ(Text("\xFF\xFE"), "");
}

TEST_F(ListTextTest, AFileWithoutAMarkIsReadInTheAnsiCodePage) {
  EXPECT_EQ(Text("plain \xE9\xFF\x80\r\n\"q\"\r\n"), "plain \xC3\xA9\xC3\xBF\xE2\x82\xAC\r\n\"q\"\r\n");
  code_page.system = sim::SimCodePage::System::kCyrillic1251;
  EXPECT_EQ(Text("\xCF\xF0\xE8\xE7\r\n"), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB7\r\n");  // "Приз"
}

TEST_F(ListTextTest, NulCharactersMakeNoList) {
  // UTF-16 saved without its mark: every other byte is a NUL.
  EXPECT_FALSE(Text(std::string("C\0a\0s\0i\0n\0o\0", 12)).has_value());
  EXPECT_EQ(
      problem,
      "It holds NUL characters, so it is not a list of titles (a list saved as Unicode needs its byte-order "
      "mark).");
  problem.clear();
  EXPECT_FALSE(Text(Utf16(std::u16string(u"a\0b", 3))).has_value());
  EXPECT_FALSE(problem.empty());
  problem.clear();
  EXPECT_FALSE(Text(std::string("\xEF\xBB\xBF"
                                "a\0",
                                5))
                   .has_value());
  EXPECT_FALSE(problem.empty());
}

class ImportTest : public ::testing::Test {
 protected:
  World w;
  DisplayedBlockList displayed;
  const std::string path = "D:\\lists\\mine.pao";
  void SetUp() override { displayed.Add("kept", "a"); }
  std::string Import() { return ImportBlockList(w.sim.files, w.sim.code_page, path, displayed); }
};

TEST_F(ImportTest, AListSavedAsUnicodeOrUtf8ImportsItsEntriesClean) {
  w.sim.files.Put(path, Utf16(u"Casino\r\nPoker, Free\r\n"));
  EXPECT_EQ(Import(), "");
  w.sim.files.Put(path, "\xEF\xBB\xBFoffers\r\n\xC3\xA9t\xC3\xA9\r\n");
  EXPECT_EQ(Import(), "");
  EXPECT_EQ(displayed.Texts(), (Strings{"kept", "Casino", "Poker", "Free", "offers", "\xC3\xA9t\xC3\xA9"}));
}

TEST_F(ImportTest, AFileOver64MegabytesImportsNothingAndSaysSo) {
  w.sim.files.Put(path, std::string((64u << 20) + 1, 'x'));
  EXPECT_EQ(Import(), "It is larger than 64 MB.");
  EXPECT_EQ(displayed.Texts(), Strings{"kept"});
  w.sim.files.Put(path, std::string(64u << 20, 'x'));  // the limit itself is read
  EXPECT_EQ(Import(), "");
  EXPECT_EQ(displayed.Count(), 2u);
}

TEST_F(ImportTest, AFileOfMoreEntriesThanTheMemoryBoundImportsNothingAndSaysSo) {
  // Five million commas would be five million entries, far more memory than the file's size.
  w.sim.files.Put(path, std::string(5'000'000, ','));
  EXPECT_EQ(Import(), "It holds more than 4194304 entries.");
  EXPECT_EQ(displayed.Texts(), Strings{"kept"});
}

TEST_F(ImportTest, RunningOutOfMemoryImportsNothingAndSaysSo) {
  w.sim.files.Put(path, "casino\r\npoker\r\n");
  MemoryStarvedFiles starved(w.sim.files);
  EXPECT_EQ(ImportBlockList(starved, w.sim.code_page, path, displayed),
            "There is not enough memory to read it.");
  EXPECT_EQ(displayed.Texts(), Strings{"kept"});
}

TEST(ListFileReading, TheBlockListFileFollowsTheSameRules) {
  World w;
  const std::string path = BlockListPath(w.app_folder);
  w.sim.files.Put(path, "\xEF\xBB\xBFoffers\r\ncasino\r\n");
  DisplayedBlockList displayed;
  EXPECT_EQ(quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed),
            ListRead::Outcome::kRead);
  EXPECT_EQ(w.state.block_entries.Entries(), (Strings{"offers", "casino"}));
  EXPECT_TRUE(w.state.block_entries.IsBlocked("cheap offers"));
  w.sim.files.Put(path, Utf16(u"Poker\r\ncaf\u00E9\r\n", false));
  EXPECT_EQ(quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed),
            ListRead::Outcome::kRead);
  EXPECT_EQ(displayed.Texts(), (Strings{"Poker", "caf\xC3\xA9"}));
  w.sim.files.Put(path, std::string(5'000'000, ','));
  EXPECT_EQ(quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed),
            ListRead::Outcome::kFailed);
  EXPECT_EQ(w.state.block_entries.Entries(), (Strings{"Poker", "caf\xC3\xA9"}));
  ASSERT_EQ(w.sim.messages.shown.size(), 1u);
  EXPECT_NE(w.sim.messages.shown[0].text.find("It holds more than 4194304 entries."), std::string::npos);
}

class ImportPageTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override {
    world.sim.files.Put(list_path, "offers\r\n");
    Start();
    ui.TrayNotify(Host(), 0x203);
  }
  void ImportFile(std::string bytes) {
    world.sim.files.Put("D:\\in.pao", std::move(bytes));
    world.sim.file_dialogs.answers = {std::string("D:\\in.pao")};
    ui.Click(C("drawnButton12"));
  }
};

TEST_F(ImportPageTest, ANotepadUnicodeListShowsItsEntriesWithoutNuls) {
  ImportFile(Utf16(u"Casino\r\nPoker\r\n"));
  ASSERT_EQ(ui.ListCount(C("view1")), 3u);
  EXPECT_EQ(ui.ListText(C("view1"), 2), "Casino");
  EXPECT_EQ(ui.ListText(C("view1"), 3), "Poker");
  EXPECT_TRUE(world.sim.messages.shown.empty());
}

TEST_F(ImportPageTest, AFileThatIsNoListOrTooBigForMemoryImportsNothingAndSaysSoInTheProductsBox) {
  ImportFile(std::string("C\0a\0s\0i\0n\0o\0", 12));
  ImportFile(std::string(5'000'000, ','));
  EXPECT_EQ(ui.ListCount(C("view1")), 1u);
  EXPECT_EQ(main->DisplayedList().Count(), 1u);
  ASSERT_EQ(world.sim.messages.shown.size(), 2u);
  for (const auto& box : world.sim.messages.shown) {
    EXPECT_EQ(box.title, "Quellix");
    EXPECT_EQ(box.owner, ui.NativeWindow(main->Form()));
    EXPECT_TRUE(box.text.starts_with("The list could not be imported.\r\n")) << box.text;
    EXPECT_TRUE(box.text.ends_with("\r\nNothing was imported.")) << box.text;
  }
  EXPECT_NE(world.sim.messages.shown[0].text.find("NUL characters"), std::string::npos);
  EXPECT_NE(world.sim.messages.shown[1].text.find("more than 4194304 entries"), std::string::npos);
}

}  // namespace
}  // namespace quellix::blocklist
