// Text on disk: files that fit the ANSI code page stay byte for byte what older versions
// wrote, every other text is kept whole as UTF-8 behind its mark, and any file reads back.
#include "blocklist/stored_text.h"

#include <gtest/gtest.h>

#include "blocklist/block_list_file.h"
#include "platform/sim/sim_code_page.h"
#include "test_world.h"
#include "text/utf8.h"

namespace quellix::blocklist {
namespace {

using Strings = std::vector<std::string>;
using System = sim::SimCodePage::System;

constexpr char kVyigrai[] = "\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9";  // "Выиграй"
constexpr char kFreeDraw[] = "\xE5\x85\x8D\xE8\xB4\xB9\xE6\x8A\xBD\xE5\xA5\x96";          // "免费抽奖"
constexpr char kGift[] = "\xF0\x9F\x8E\x81";                                              // "🎁"

class StoredTextTest : public ::testing::Test {
 protected:
  sim::SimCodePage code_page;
};

TEST_F(StoredTextTest, TextThatFitsTheCodePageIsWrittenInItAndOtherTextAsMarkedUtf8) {
  EXPECT_EQ(StoredBytes("plain offers\r\n", code_page), "plain offers\r\n");
  EXPECT_EQ(StoredBytes("caf\xC3\xA9 \xE2\x82\xAC\r\n", code_page), "caf\xE9 \x80\r\n");
  EXPECT_EQ(StoredBytes(std::string(kVyigrai) + "\r\n", code_page), "\xEF\xBB\xBF" + std::string(kVyigrai) + "\r\n");
  EXPECT_EQ(StoredBytes("caf\xC3\xA9 " + std::string(kGift), code_page), "\xEF\xBB\xBF" "caf\xC3\xA9 " + std::string(kGift));
  // On a Cyrillic system the same entry is the system's own text.
  code_page.system = System::kCyrillic1251;
  EXPECT_EQ(StoredBytes(kVyigrai, code_page), "\xC2\xFB\xE8\xE3\xF0\xE0\xE9");
  EXPECT_EQ(StoredBytes("caf\xC3\xA9", code_page), "\xEF\xBB\xBF" "caf\xC3\xA9");  // "é" is not in 1251
}

TEST_F(StoredTextTest, AnsiBytesThatWouldReadAsAMarkAreWrittenAsUtf8Instead) {
  // "ï»¿x" and "ÿþx" are, in the Western page, a UTF-8 and a UTF-16 mark followed by "x".
  for (const std::string text : {"\xC3\xAF\xC2\xBB\xC2\xBFx", "\xC3\xBF\xC3\xBEx", "\xC3\xBE\xC3\xBFx"}) {
    const std::string bytes = StoredBytes(text, code_page);
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << text;
    EXPECT_EQ(TextOfStoredBytes(bytes, code_page), text);
  }
}

TEST_F(StoredTextTest, EveryTextReadsBackAsItWasWrittenInEveryCodePage) {
  const Strings texts = {"",         "offers",  "caf\xC3\xA9",  kVyigrai, kFreeDraw, kGift,
                         "\xEF\xBB\xBF" "lead", "a\r\nb\r\n", "\xC3\xBF\xC3\xBE", std::string(kVyigrai) + " iPhone " + kGift};
  for (System system : {System::kWestern1252, System::kCyrillic1251, System::kJapanese932}) {
    code_page.system = system;
    for (const std::string& text : texts)
      EXPECT_EQ(TextOfStoredBytes(StoredBytes(text, code_page), code_page), text) << static_cast<int>(system);
  }
}

TEST_F(StoredTextTest, FilesOfOlderVersionsAndOtherProgramsReadInTheirOwnForm) {
  EXPECT_EQ(TextOfStoredBytes("caf\xE9", code_page), "caf\xC3\xA9");
  code_page.system = System::kCyrillic1251;
  EXPECT_EQ(TextOfStoredBytes("\xC2\xFB\xE8\xE3\xF0\xE0\xE9", code_page), kVyigrai);
  EXPECT_EQ(TextOfStoredBytes("\xEF\xBB\xBF" + std::string(kFreeDraw), code_page), kFreeDraw);
  EXPECT_EQ(TextOfStoredBytes(std::string("\xFF\xFE\x3C\xD8\x81\xDF", 6), code_page), kGift);  // UTF-16 LE
  EXPECT_EQ(TextOfStoredBytes(std::string("\xFE\xFF\x04\x16", 4), code_page), "\xD0\x96");    // UTF-16 BE "Ж"
}

// The list file on top of that rule.
TEST(ListFileBytes, AListOfTheCodePagesCharactersIsByteForByteWhatItWasBefore) {
  sim::SimCodePage western;
  const std::string ansi = "caf\xE9\r\n\"Buy now, cheap\"\r\n\x80uro\r\n";
  const Strings entries = ReadFields(western.Utf8FromAnsi(ansi));
  EXPECT_EQ(ListFileBytes(entries, western), ansi);
  // A first entry whose ANSI form opens like a mark is quoted, as before.
  EXPECT_EQ(ListFileBytes(Strings{"\xC3\xBF\xC3\xBEx", "y"}, western), "\"\xFF\xFEx\"\r\ny\r\n");
  EXPECT_EQ(ListFileBytes(Strings{"\xC3\xAF\xC2\xBB\xC2\xBF"}, western), "\"\xEF\xBB\xBF\"\r\n");
}

TEST(ListFileBytes, AListWithOneEntryOutsideTheCodePageIsWrittenWholeAsUtf8) {
  sim::SimCodePage western;
  const Strings entries = {"caf\xC3\xA9", kVyigrai, kFreeDraw, std::string("Gift ideas ") + kGift};
  const std::string bytes = ListFileBytes(entries, western);
  EXPECT_EQ(bytes, "\xEF\xBB\xBF" "caf\xC3\xA9\r\n" + std::string(kVyigrai) + "\r\n" + kFreeDraw +
                       "\r\nGift ideas " + kGift + "\r\n");
  EXPECT_EQ(bytes.find('?'), std::string::npos);
  std::string problem;
  EXPECT_EQ(ReadFields(*ListTextFromBytes(bytes, western, problem)), entries);
}

TEST(ListFileBytes, AnEditKeepsACyrillicAndChineseListIntactOnDisk) {
  testing::World w;
  const std::string path = BlockListPath(w.app_folder);
  w.sim.files.Put(path, "\xEF\xBB\xBF" + std::string(kVyigrai) + "\r\n" + kFreeDraw + "\r\n");
  DisplayedBlockList displayed;
  quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, displayed);
  EXPECT_TRUE(w.state.block_entries.IsBlocked("\xD0\x92\xD0\xAB\xD0\x98\xD0\x93\xD0\xA0\xD0\x90\xD0\x99 iPhone"));
  displayed.Add("offers");
  ASSERT_TRUE(StoreBlockList(w.sim.files, w.sim.code_page, w.app_folder, displayed));
  EXPECT_EQ(*w.sim.files.Get(path),
            "\xEF\xBB\xBF" + std::string(kVyigrai) + "\r\n" + kFreeDraw + "\r\noffers\r\n");
}

// The helpers under all of it.
TEST(Utf8, Utf16UnitsAreCountedAndCutWithoutSplittingAPair) {
  EXPECT_EQ(text::Utf16Length("ab\xD0\x96\xE4\xB8\xAD\xF0\x9F\x8E\x81"), 6u);
  EXPECT_EQ(text::FirstUtf16Units("ab\xF0\x9F\x8E\x81" "c", 3), "ab");
  EXPECT_EQ(text::FirstUtf16Units("ab\xF0\x9F\x8E\x81" "c", 4), "ab\xF0\x9F\x8E\x81");
  EXPECT_EQ(text::FirstUtf16Units("\xD0\x96\xD0\x96", 1), "\xD0\x96");
  EXPECT_EQ(text::FirstWholeBytes("a\xD0\x96\xE4\xB8\xAD", 4), "a\xD0\x96");
  EXPECT_EQ(text::FirstWholeBytes("a\xD0\x96\xE4\xB8\xAD", 6), "a\xD0\x96\xE4\xB8\xAD");
  EXPECT_EQ(text::StartOfCharacterBefore("a\xE2\x80\x94", 4), 1u);
  EXPECT_EQ(text::StartOfCharacterBefore("a\x80\x80", 3), 2u);  // a stray byte stands alone
}

TEST(Utf8, OnlyStrictUtf8IsValidAndEveryOtherByteReadsAsTheReplacementCharacter) {
  for (const char* valid : {"", "plain", "\xC2\x80", "\xED\x9F\xBF", "\xEE\x80\x80", "\xF4\x8F\xBF\xBF"})
    EXPECT_TRUE(text::IsUtf8(valid)) << valid;
  // Overlong forms, surrogates, beyond U+10FFFF, cut characters, stray continuation bytes.
  for (const char* invalid : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE4\xB8", "\x80",
                              "\xFF"})
    EXPECT_FALSE(text::IsUtf8(invalid)) << invalid;
  EXPECT_EQ(text::Utf8FromUtf16(text::Utf16FromUtf8("a\xFF" "b\xE4\xB8")), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD");
  const std::string all = "a\xC3\xA9\xD0\x96\xE4\xB8\xAD\xF0\x9F\x8E\x81";
  EXPECT_EQ(text::Utf8FromUtf16(text::Utf16FromUtf8(all)), all);
}

}  // namespace
}  // namespace quellix::blocklist
