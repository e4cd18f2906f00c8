// Inputs other programs, people and crashes leave behind: each must be handled without a
// crash or hang, as the product defines, and without losing what the user stored.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "blocklist/block_list_file.h"
#include "engine/burn_cycle.h"
#include "engine/window_inspection.h"
#include "test_world.h"
#include "text/utf8.h"

namespace quellix {
namespace {

using testing::World;
using Strings = std::vector<std::string>;

std::string ShippedList() {
  std::ifstream in(std::string(QUELLIX_SOURCE_DIR) + "/res/popcfg.apo", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

constexpr std::size_t kOnePerLine = ~std::size_t{0};  // as many entries as line feeds

struct ListCase {
  const char* name;
  std::function<std::string()> bytes;
  std::size_t entries;
  const char* blocked_title;  // a title the loaded list must burn
};

std::string FiftyMegabytes() {
  std::string list;
  list.reserve(50u << 20);
  for (int i = 0; list.size() < (50u << 20); ++i)
    list += "Free ringtones offer " + std::to_string(i) + "\r\n";
  return list;
}

const ListCase kLists[] = {
    {"shipped list", ShippedList, kOnePerLine, "You have won - Microsoft Internet Explorer"},
    {"50 MB of entries", FiftyMegabytes, kOnePerLine, "free ringtones offer 2184531 - Mozilla"},
    {"no line breaks", [] { return std::string(1 << 20, 'x'); }, 1, nullptr},
    {"commas only, no line breaks", [] { return std::string("alpha,beta,gamma"); }, 3, "Gamma rays"},
    {"unmatched quote runs to the end", [] { return std::string("ok\r\n\"broken, swallow\r\nrest"); }, 2,
     "ok computer"},
    {"CR without LF", [] { return std::string("one\rtwo\rthree"); }, 3, "Three"},
    {"bytes above 0x7F", [] { return std::string("\xC9T\xC9\r\n\xFF\xFE\r\n"); }, 2, "l'\xC3\xA9t\xC3\xA9 -"},
    {"UTF-8 of every script", [] { return std::string("\xEF\xBB\xBF\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9\r\n\xE5\x85\x8D\xE8\xB4\xB9\r\n\xF0\x9F\x8E\x81\r\n"); },
     3, "\xD0\x92\xD0\xAB\xD0\x98\xD0\x93\xD0\xA0\xD0\x90\xD0\x99 iPhone - Mozilla"},
};

TEST(HostileBlockListFile, LoadsBurnsAndStoresWithoutLoss) {
  for (const ListCase& c : kLists) {
    SCOPED_TRACE(c.name);
    World w;
    const std::string path = blocklist::BlockListPath(w.app_folder);
    const std::string original = c.bytes();
    const std::size_t expected =
        c.entries == kOnePerLine
            ? static_cast<std::size_t>(std::count(original.begin(), original.end(), '\n'))
            : c.entries;
    w.sim.files.Put(path, original);
    blocklist::DisplayedBlockList displayed;
    quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed);
    EXPECT_EQ(w.state.block_entries.Count(), expected);
    EXPECT_EQ(displayed.Count(), expected);
    EXPECT_EQ(*w.sim.files.Get(path), original);  // reading never writes

    w.SetOption("0", "1");
    w.SetOption("1", "1");
    const auto innocent = w.OpenOnTop("IEFrame", "Weather today - Microsoft Internet Explorer");
    const auto target = c.blocked_title ? w.OpenOnTop("MozillaWindowClass", c.blocked_title) : 0;
    w.OpenOnTop("Notepad", "notes - Notepad");  // the walk's first window is judged apart
    engine::BurnCycle(w.services(), w.state, w.app_folder, w.own_window);
    EXPECT_EQ(w.sim.desktop.CloseRequests(innocent), 0);
    if (target != 0) {
      EXPECT_EQ(w.sim.desktop.CloseRequests(target), 1);
    }

    // Storing and loading again gives the same entries: nothing the user had is lost.
    const Strings before = w.state.block_entries.Entries();
    ASSERT_TRUE(blocklist::StoreBlockList(w.sim.files, w.sim.code_page, w.app_folder, displayed));
    quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed);
    EXPECT_TRUE(w.state.block_entries.Entries() == before);
  }
}

TEST(HostileBlockListFile, AFileWithNulBytesAndNoByteOrderMarkIsRefusedAndKept) {
  World w;
  const std::string path = blocklist::BlockListPath(w.app_folder);
  w.state.block_entries.Assign({"offers"}, w.sim.code_page);
  const std::string original("a\0b\r\nplain\r\n\0\r\n", 15);
  w.sim.files.Put(path, original);
  blocklist::DisplayedBlockList displayed;
  EXPECT_EQ(quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed),
            blocklist::ListRead::Outcome::kFailed);
  EXPECT_EQ(displayed.Count(), 0u);
  EXPECT_EQ(w.state.block_entries.Entries(), Strings{"offers"});
  ASSERT_EQ(w.sim.messages.shown.size(), 1u);
  EXPECT_NE(w.sim.messages.shown[0].text.find("NUL characters"), std::string::npos);
  EXPECT_EQ(*w.sim.files.Get(path), original);
}

// A process killed while writing is a write that stops after k bytes, for every k.
void ExpectOldOrNewAfterEveryCut(const std::function<bool(World&)>& write, const std::string& path,
                                 const std::string& old_text, const std::string& new_text) {
  for (std::size_t k = 0; k <= new_text.size(); ++k) {
    World w;
    w.sim.files.Put(path, old_text);
    w.sim.files.SetWriteBudget(k);
    const bool written = write(w);
    const auto result = w.sim.files.Get(path);
    ASSERT_TRUE(result.has_value()) << "file lost after " << k << " bytes";
    ASSERT_TRUE(*result == old_text || *result == new_text) << "partial file after " << k << " bytes";
    ASSERT_EQ(written, *result == new_text) << k;
  }
}

TEST(CrashSafety, StoringTheShippedListLeavesTheOldOrTheNewFile) {
  blocklist::DisplayedBlockList displayed;
  for (const std::string& e : blocklist::ReadFields(ShippedList())) displayed.Add(e);
  displayed.Add("an entry, with a comma");
  const std::string path = blocklist::BlockListPath(testing::kAppFolder);
  ExpectOldOrNewAfterEveryCut(
      [&](World& w) { return blocklist::StoreBlockList(w.sim.files, w.sim.code_page, w.app_folder, displayed).written; }, path,
      "old entry\r\n", blocklist::BlockListText(displayed.Texts()));
}

TEST(CrashSafety, ExportingOverAnExistingFileLeavesTheOldOrTheNewFile) {
  blocklist::DisplayedBlockList displayed;
  for (const std::string& e : blocklist::ReadFields(ShippedList())) displayed.Add(e);
  const std::string path = "D:\\lists\\mine.pao";
  ExpectOldOrNewAfterEveryCut(
      [&](World& w) { return blocklist::ExportBlockList(w.sim.files, w.sim.code_page, path, displayed).written; }, path,
      "kept\r\nentries\r\n", blocklist::BlockListText(displayed.Texts()));
}

TEST(CrashSafety, LeftoverAndUnrelatedTemporaryFilesAreNeitherLoadedNorObstaclesNorTouched) {
  World w;
  const std::string path = blocklist::BlockListPath(w.app_folder);
  w.sim.files.Put(path, "old\r\n");
  w.sim.files.Put(path + ".~1.tmp", "half writ");  // an earlier store that was cut short
  w.sim.files.Put(path + ".tmp", "somebody else's file");
  blocklist::DisplayedBlockList displayed;
  quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed);
  EXPECT_EQ(w.state.block_entries.Entries(), Strings{"old"});
  displayed.Add("new");
  ASSERT_TRUE(blocklist::StoreBlockList(w.sim.files, w.sim.code_page, w.app_folder, displayed));
  EXPECT_EQ(*w.sim.files.Get(path), "old\r\nnew\r\n");
  EXPECT_EQ(w.sim.files.Get(path + ".tmp"), "somebody else's file");
  EXPECT_EQ(w.sim.files.Get(path + ".~1.tmp"), "half writ");
  EXPECT_FALSE(w.sim.files.Get(path + ".~2.tmp").has_value());
}

TEST(CrashSafety, AnExportNextToAFileNamedLikeTheOldTemporaryLeavesThatFileAlone) {
  World w;
  blocklist::DisplayedBlockList displayed;
  displayed.Add("poker");
  w.sim.files.Put("D:\\x.pao.tmp", "notes");
  ASSERT_TRUE(blocklist::ExportBlockList(w.sim.files, w.sim.code_page, "D:\\x.pao", displayed));
  EXPECT_EQ(w.sim.files.Get("D:\\x.pao"), "poker\r\n");
  EXPECT_EQ(w.sim.files.Get("D:\\x.pao.tmp"), "notes");
}

TEST(ExportImport, AnExportedListImportsAsTheSameEntriesAppended) {
  World w;
  blocklist::DisplayedBlockList displayed;
  for (const char* e : {"poker", "Buy now, cheap", " lead", ""}) displayed.Add(e);
  ASSERT_TRUE(blocklist::ExportBlockList(w.sim.files, w.sim.code_page, "D:\\x.pao", displayed));
  EXPECT_EQ(blocklist::ImportBlockList(w.sim.files, w.sim.code_page, "D:\\x.pao", displayed), "");
  ASSERT_EQ(displayed.Count(), 8u);
  for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(displayed.At(i + 4).text, displayed.At(i).text);
  EXPECT_EQ(displayed.At(5).icon, "a");
  EXPECT_EQ(blocklist::ImportBlockList(w.sim.files, w.sim.code_page, "D:\\missing.pao", displayed),
            "The file was not found.");
  EXPECT_EQ(displayed.Count(), 8u);
  blocklist::DisplayedBlockList empty;
  ASSERT_TRUE(blocklist::ExportBlockList(w.sim.files, w.sim.code_page, "D:\\empty.pao", empty));
  EXPECT_EQ(*w.sim.files.Get("D:\\empty.pao"), "");
}

// The title rule, said plainly: the caption as the system keeps it (UTF-16, so a byte that
// is no UTF-8 reads as U+FFFD) up to its first NUL and at most 99 UTF-16 units, never half a
// pair; if it holds a dash ("-" or the em dash) after its first character, everything from
// the character before its last dash on is dropped.
std::string ReferenceTitle(const std::string& caption) {
  std::u16string units = text::Utf16FromUtf8(caption.substr(0, std::min(caption.find('\0'), caption.size())));
  if (units.size() > 99) {
    units.resize(99);
    if (units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
  }
  std::vector<std::u16string> characters;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size();
    characters.push_back(units.substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  std::size_t dash = characters.size();
  for (std::size_t i = 0; i < characters.size(); ++i)
    if (characters[i] == u"-" || characters[i] == u"\u2014") dash = i;
  std::u16string title;
  const std::size_t keep = dash != characters.size() && dash > 0 ? dash - 1 : characters.size();
  for (std::size_t i = 0; i < keep; ++i) title += characters[i];
  return text::Utf8FromUtf16(title);
}

TEST(HostileCaptions, TitlesFollowTheRuleForAnyCaption) {
  std::vector<std::string> captions = {"",
                                       std::string(99, 'a'),
                                       std::string(100, 'b'),
                                       std::string(65535, 'c'),
                                       std::string(65535, '-'),
                                       "\x80\xFF\xE9-\xA0",
                                       "\xD0\x96\xF0\x9F\x8E\x81-\xC2\xA0",
                                       "a\xE2\x80\x94" "b - c \xE2\x80\x94 d",
                                       "\xE2\x80\x94\xE2\x80\x94",
                                       std::string(98, 'e') + "\xF0\x9F\x8E\x81 - x",
                                       std::string("a\0-b", 4)};
  for (std::size_t at = 0; at < 110; ++at) {
    std::string c(110, 'x');
    c[at] = '-';
    captions.push_back(c);
    c[(at * 7) % 110] = '-';
    captions.push_back(c);
    std::string dashes;  // Cyrillic letters with an em dash among them
    for (std::size_t i = 0; i < 110; ++i) dashes += i == at ? "\xE2\x80\x94" : i == (at * 3) % 110 ? "-" : "\xD0\x96";
    captions.push_back(dashes);
  }
  World w;
  for (const std::string& caption : captions) {
    const auto id = w.sim.desktop.AddWindow("IEFrame", caption);
    const std::string title = engine::ReadWindowTitle(w.sim.desktop, id);
    EXPECT_EQ(title, ReferenceTitle(caption)) << "caption of " << caption.size() << " bytes";
    EXPECT_LE(text::Utf16Length(title), 99u);
    EXPECT_TRUE(text::IsUtf8(title));
  }
}

TEST(HostileDesktop, TenThousandWindowsAreWalkedOnceEach) {
  World w;
  w.SetOption("0", "1");
  w.state.block_entries.Assign({"offers"}, w.sim.code_page);
  std::vector<platform::WindowId> targets;
  for (int i = 0; i < 10000; ++i) {
    const bool pop = i % 100 == 1;
    const auto id = w.OpenOnTop(i % 2 ? "IEFrame" : "Notepad", pop ? "Offers " + std::to_string(i) + " -"
                                                                   : "page " + std::to_string(i) + " -");
    if (pop && i % 2) targets.push_back(id);
  }
  engine::BurnCycle(w.services(), w.state, w.app_folder, w.own_window);
  for (auto id : targets) EXPECT_EQ(w.sim.desktop.CloseRequests(id), 1);
  EXPECT_EQ(w.Option("cnt"), std::to_string(targets.size()));
}

TEST(HostileRegistry, OptionValuesOfOddTypesAndSizesReadAsDefined) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::string bytes;
    bool burns;
  };
  const std::string dword_one("\x01\x00\x00\x00", 4);
  const Case cases[] = {
      {"REG_SZ 1", 1, "1", true},
      {"REG_SZ 1 with NUL", 1, std::string("1\0", 2), true},
      {"REG_DWORD 1", 4, dword_one, true},  // reads as "&h001"
      {"REG_BINARY", 3, std::string("\x01", 1), false},
      {"REG_MULTI_SZ", 7, std::string("1\0\0", 3), false},
      {"1024 blanks then 1", 1, std::string(1023, ' ') + "1", true},
      {"1025 bytes", 1, "1" + std::string(1024, ' '), false},
      {"empty", 1, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    World w;
    w.sim.registry.Put(settings::kProductRoot, settings::kProductKey, "0", c.type, c.bytes);
    w.state.block_entries.Assign({"offers"}, w.sim.code_page);
    const auto pop = w.OpenOnTop("IEFrame", "Offers - Microsoft Internet Explorer");
    w.OpenOnTop("Notepad", "notes - Notepad");  // the walk's first window is judged apart
    engine::BurnCycle(w.services(), w.state, w.app_folder, w.own_window);
    EXPECT_EQ(w.sim.desktop.CloseRequests(pop), c.burns ? 1 : 0);
  }
  World denied;
  denied.SetOption("0", "1");
  denied.sim.registry.DenyAccess(settings::kProductRoot, settings::kProductKey, 0xFFFFFFFFu);
  denied.state.block_entries.Assign({"offers"}, denied.sim.code_page);
  const auto pop = denied.OpenOnTop("IEFrame", "Offers - Microsoft Internet Explorer");
  denied.OpenOnTop("Notepad", "notes - Notepad");
  engine::BurnCycle(denied.services(), denied.state, denied.app_folder, denied.own_window);
  EXPECT_EQ(denied.sim.desktop.CloseRequests(pop), 0);
}

}  // namespace
}  // namespace quellix
