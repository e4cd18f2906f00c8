// The automaton against the plain definition: lower-cased substring of any entry.

#include "engine/title_matcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/block_entries.h"
#include "failing_memory.h"
#include "platform/sim/sim_code_page.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

bool NaiveIsBlocked(const std::vector<std::string>& entries, const std::string& title) {
  if (title.empty()) return false;
  const std::string lowered = text::LowerCase(title);
  for (const std::string& e : entries)
    if (lowered.find(text::LowerCase(e)) != std::string::npos) return true;
  return false;
}

// Few distinct bytes make overlaps, shared prefixes and suffix chains common, which is where
// failure links go wrong. Capitals and Windows-1252 letters exercise the folding.
std::string RandomText(std::mt19937& rng, std::size_t max_length) {
  static const char alphabet[] = {'a', 'b', 'A', 'B', 'c', ' ', '-', '\xC9', '\xE9', '\0', '\xFF'};
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
  std::string s(length(rng), ' ');
  for (char& c : s) c = alphabet[pick(rng)];
  return s;
}

TEST(TitleMatcher, AgreesWithThePlainDefinitionOnRandomListsAndTitles) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 400; ++round) {
    std::uniform_int_distribution<int> count(0, round % 3 == 0 ? 3 : 40);
    std::vector<std::string> entries;
    for (int i = count(rng); i > 0; --i) entries.push_back(RandomText(rng, round % 5 == 0 ? 1 : 6));
    sim::SimCodePage western;
    BlockEntries blocked;
    blocked.Assign(entries, western);
    for (int t = 0; t < 50; ++t) {
      const std::string title = RandomText(rng, 24);
      ASSERT_EQ(blocked.IsBlocked(title), NaiveIsBlocked(entries, title))
          << "round " << round << ", title '" << title << "', " << entries.size() << " entries";
    }
  }
}

TEST(TitleMatcher, FindsFragmentsReachedOnlyThroughFailureLinks) {
  TitleMatcher m;
  m.Build({"abcd", "bce", "cx"});
  EXPECT_TRUE(m.ContainsAny("abce"));  // leaves "abc" for "bce"
  EXPECT_TRUE(m.ContainsAny("abcx"));  // "cx" is a suffix of a longer path
  EXPECT_FALSE(m.ContainsAny("abcb"));
  m.Build({"aab"});
  EXPECT_TRUE(m.ContainsAny("aaab"));  // restarts inside a run of the same byte
  m.Build({"he", "she", "his", "hers"});
  EXPECT_TRUE(m.ContainsAny("ushers"));
  EXPECT_FALSE(m.ContainsAny("hihs"));
}

TEST(TitleMatcher, OrderDuplicatesAndRebuildsDoNotChangeTheResult) {
  TitleMatcher forward, backward;
  std::vector<std::string> list = {"pop", "popup", "up", "pop"};
  forward.Build({list.begin(), list.end()});
  backward.Build({list.rbegin(), list.rend()});
  for (const char* title : {"popup window", "a cup", "p o p", "upward"})
    EXPECT_EQ(forward.ContainsAny(title), backward.ContainsAny(title)) << title;
  forward.Build({});
  EXPECT_FALSE(forward.ContainsAny("popup"));
  forward.Build({""});
  EXPECT_TRUE(forward.ContainsAny(""));  // BlockEntries, not the automaton, keeps empty titles out
}

TEST(TitleMatcher, StatesWithAChildForEveryByteKeepTheirNeighboursApart) {
  // The root and the state after "x" have 256 children each, beside states with few.
  std::vector<std::string> list;
  for (int b = 0; b < 256; ++b) {
    list.emplace_back(1, static_cast<char>(b));
    list.push_back(std::string("xx") + static_cast<char>(b) + "yz");
    if (b % 7 == 0) list.push_back(std::string("x") + static_cast<char>(b) + "q" + static_cast<char>(b));
  }
  TitleMatcher all;
  all.Build({list.begin(), list.end()});
  std::vector<std::string> rest(list.begin() + 1, list.end());  // without the byte 0
  std::erase_if(rest, [](const std::string& f) { return f.size() == 1; });
  TitleMatcher few;
  few.Build({rest.begin(), rest.end()});
  std::mt19937 rng(256);
  for (int t = 0; t < 3000; ++t) {
    std::string title(rng() % 12, 'x');
    for (char& c : title) c = rng() % 3 == 0 ? static_cast<char>(rng()) : "xyzq"[rng() % 4];
    if (t % 2 == 0)
      title.insert(rng() % (title.size() + 1), rest[rng() % rest.size()].substr(0, 2 + rng() % 3));
    bool expected = false;
    for (const std::string& f : rest) expected = expected || title.find(f) != std::string::npos;
    ASSERT_EQ(few.ContainsAny(title), expected) << t;
    ASSERT_EQ(all.ContainsAny(title), !title.empty()) << t;
  }
}

TEST(TitleMatcher, ManyUnlikeEntriesAgreeWithThePlainDefinition) {
  // Most of the root's children lead on to many states, and titles made of pieces of entries
  // keep falling back to them from deep inside entries.
  static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789 -";
  std::mt19937 rng(38);
  std::vector<std::string> entries(2000);
  for (std::string& e : entries) {
    e.resize(3 + rng() % 10);
    for (char& c : e) c = alphabet[rng() % (sizeof alphabet - 1)];
  }
  TitleMatcher m;
  m.Build({entries.begin(), entries.end()});
  int matched = 0;
  for (int t = 0; t < 3000; ++t) {
    std::string title;
    while (title.size() < 40) {
      const std::string& e = entries[rng() % entries.size()];
      const std::size_t from = rng() % e.size();
      title += e.substr(from, 1 + rng() % (e.size() - from));
    }
    bool expected = false;
    for (const std::string& e : entries) expected = expected || title.find(e) != std::string::npos;
    matched += expected;
    ASSERT_EQ(m.ContainsAny(title), expected) << title;
  }
  EXPECT_GT(matched, 300);
  EXPECT_LT(matched, 2700);
}

TEST(TitleMatcher, TenThousandEntriesMatchExactlyTheirOwnTitles) {
  std::vector<std::string> entries;
  for (int i = 0; i < 10000; ++i) entries.push_back("blocked pop-up number " + std::to_string(i) + "!");
  sim::SimCodePage western;
  BlockEntries blocked;
  blocked.Assign(entries, western);
  EXPECT_TRUE(blocked.IsBlocked("BLOCKED POP-UP NUMBER 9999! - Microsoft Internet Explorer"));
  EXPECT_TRUE(blocked.IsBlocked("xx blocked pop-up number 0!"));
  EXPECT_FALSE(blocked.IsBlocked("blocked pop-up number 10000"));  // no "!" after it
  EXPECT_FALSE(blocked.IsBlocked("blocked pop-up number 12345!"));
}

TEST(TitleMatcher, VeryLongEntriesKeepTheirMeaning) {
  // A list file without line breaks is one long entry; longer titles than any window's
  // still follow the substring rule, whatever way the entries are stored.
  std::mt19937 rng(7);
  std::vector<std::string> entries;
  for (std::size_t length : {255u, 256u, 257u, 300u, 5000u}) {
    std::string e(length, 'a');
    for (char& c : e) c = "abAB"[rng() % 4];
    entries.push_back(e);
  }
  entries.push_back("needle");
  sim::SimCodePage western;
  BlockEntries blocked;
  blocked.Assign(entries, western);
  for (const std::string& e : entries) {
    const std::string title = "x" + text::LowerCase(e) + "y";
    EXPECT_TRUE(blocked.IsBlocked(title)) << e.size();
    EXPECT_EQ(blocked.IsBlocked(title.substr(0, e.size())),
              NaiveIsBlocked(entries, title.substr(0, e.size())));
  }
  for (int t = 0; t < 200; ++t) {
    const std::string title = RandomText(rng, 600);
    ASSERT_EQ(blocked.IsBlocked(title), NaiveIsBlocked(entries, title)) << t;
  }
}

TEST(TitleMatcher, RunningOutOfMemoryAnywhereKeepsThePreviousList) {
  sim::SimCodePage western;
  testing::FailingMemory memory;
  BlockEntries blocked(&memory);
  const std::vector<std::string> old_list = {"old pop-up", std::string(300, 'o')};
  blocked.Assign(old_list, western);
  const std::vector<std::string> new_list = {"new", "news", "", std::string(400, 'n'), "\xC9t\xC9"};
  // Fail the first allocation of the load, then the second, and so on until one succeeds.
  for (std::size_t allowed = 0;; ++allowed) {
    memory.RunOutAfter(allowed);
    bool loaded = true;
    try {
      blocked.Assign(new_list, western);
    } catch (const std::bad_alloc&) {
      loaded = false;
    }
    memory.Refill();
    if (loaded) {
      EXPECT_GE(allowed, 4u);  // the load allocates in several steps, each of which was made to fail
      EXPECT_EQ(blocked.Entries(), new_list);
      EXPECT_TRUE(blocked.IsBlocked("anything"));
      break;
    }
    ASSERT_EQ(blocked.Entries(), old_list) << allowed;
    EXPECT_TRUE(blocked.IsBlocked("an OLD POP-UP")) << allowed;
    EXPECT_TRUE(blocked.IsBlocked("x" + std::string(300, 'O'))) << allowed;
    EXPECT_FALSE(blocked.IsBlocked("news")) << allowed;
    EXPECT_FALSE(blocked.IsBlocked("zzz")) << allowed;  // the new list's empty entry is not active
  }
}

// Titles in other code pages: folded and compared character by character.
class CodePageTitles : public ::testing::Test {
 protected:
  using System = sim::SimCodePage::System;
  sim::SimCodePage code_page;

  bool Blocks(std::vector<std::string> entries, std::string_view title) {
    BlockEntries blocked;
    blocked.Assign(std::move(entries), code_page);
    return blocked.IsBlocked(title);
  }
};

TEST_F(CodePageTitles, EveryCyrillicCapitalMatchesItsSmallLetter) {
  code_page.system = System::kCyrillic1251;
  std::vector<std::pair<char, char>> pairs = {
      {'\x80', '\x90'}, {'\x81', '\x83'}, {'\x8A', '\x9A'}, {'\x8C', '\x9C'}, {'\x8D', '\x9D'},
      {'\x8E', '\x9E'}, {'\x8F', '\x9F'}, {'\xA1', '\xA2'}, {'\xA3', '\xBC'}, {'\xA5', '\xB4'},
      {'\xA8', '\xB8'}, {'\xAA', '\xBA'}, {'\xAF', '\xBF'}, {'\xB2', '\xB3'}, {'\xBD', '\xBE'}};
  for (int i = 0; i < 32; ++i) pairs.emplace_back(static_cast<char>(0xC0 + i), static_cast<char>(0xE0 + i));
  for (const auto& [capital, small] : pairs) {
    const std::string upper = std::string("x") + capital + "y", lower = std::string("x") + small + "y";
    EXPECT_TRUE(Blocks({lower}, "Title " + upper + " here"))
        << std::hex << +static_cast<unsigned char>(capital);
    EXPECT_TRUE(Blocks({upper}, "title " + lower)) << std::hex << +static_cast<unsigned char>(capital);
  }
  // A word in capitals against its entry in small letters: "ЧАЯ" and "чая".
  EXPECT_TRUE(Blocks({"\xF7\xE0\xFF"}, "\xD7\xC0\xDF - \xCD\xEE\xE2\xEE\xF1\xF2\xE8"));
  // "џ" and "я" are two small letters here, whatever their bytes mean in the Western page.
  EXPECT_FALSE(Blocks({"\xFF"}, "\x9F"));
  EXPECT_FALSE(Blocks({"\x9F"}, "\xFF"));
}

TEST_F(CodePageTitles, TheWesternPageKeepsItsOwnLetters) {
  // In 1252 the bytes of Cyrillic "Ч" and "Я" are "×" and "ß", which have no small letters.
  EXPECT_FALSE(Blocks({"\xF7"}, "\xD7"));
  EXPECT_FALSE(Blocks({"\xFF"}, "\xDF"));
  EXPECT_TRUE(Blocks({"\xFF"}, "\x9F"));  // "ÿ" is the small letter of "Ÿ" here
  EXPECT_TRUE(Blocks({"\x9A\x9C\x9E"}, "\x8A\x8C\x8E"));
}

TEST_F(CodePageTitles, DoubleByteCharactersAreNeverTornApart) {
  code_page.system = System::kJapanese932;
  // Two katakana whose trail bytes are "A" and "B".
  const std::string title = "\x83\x41\x83\x42";
  EXPECT_FALSE(Blocks({"a"}, title));
  EXPECT_FALSE(Blocks({"A"}, title));
  EXPECT_FALSE(Blocks({"b"}, title));
  EXPECT_FALSE(Blocks({"\x83\x61"}, title));  // the character whose trail byte is "a"
  EXPECT_FALSE(Blocks({"\x41\x83"}, title));  // a trail byte and the next lead byte
  EXPECT_FALSE(Blocks({"\x42"}, "x" + title));
  EXPECT_TRUE(Blocks({"\x83\x41"}, title));
  EXPECT_TRUE(Blocks({"\x83\x42"}, title));
  EXPECT_TRUE(Blocks({title}, "[" + title + "]"));
  // Real letters beside them still fold; a half-width katakana is one byte, so the "A" after it is a letter.
  EXPECT_TRUE(Blocks({"a"}, title + "A"));
  EXPECT_TRUE(Blocks({"a"}, "\xB1\x41"));
  EXPECT_FALSE(Blocks({"a"}, "\x81\x41"));
}

TEST_F(CodePageTitles, FullWidthCapitalsFoldLikeOtherLetters) {
  code_page.system = System::kJapanese932;
  EXPECT_TRUE(Blocks({"\x82\x81\x82\x82"}, "\x82\x60\x82\x61 - x"));  // "ａｂ" in "ＡＢ"
  EXPECT_TRUE(Blocks({"\x82\x60"}, "\x82\x81"));
  EXPECT_FALSE(Blocks({"a"}, "\x82\x60"));  // a full-width letter is not an ASCII one
}

TEST_F(CodePageTitles, ACharacterCutAtTheEndOfATitleMatchesNothingButItself) {
  code_page.system = System::kJapanese932;
  // A title cut inside its last character ends with a lone lead byte.
  EXPECT_TRUE(Blocks({"abc"}, "ABC\x83"));
  EXPECT_FALSE(Blocks({"\x83\x41"}, "ABC\x83"));
  EXPECT_FALSE(Blocks({"c\x83\x41"}, "ABC\x83"));
}

TEST_F(CodePageTitles, AgreesWithThePlainDefinitionInEveryCodePage) {
  // Lead bytes, trail bytes that look like letters, capitals of each page and bytes of no character.
  static const char alphabet[] = {'a',    'A',    'b',    'B',    '\x41', '\x83', '\x82', '\x60', '\x81',
                                  '\xC0', '\xE0', '\xD7', '\xDF', '\xFF', '\x9F', '\0',   '\x7F'};
  std::mt19937 rng(932);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
  const auto random_text = [&](std::size_t max_length) {
    std::string s(std::uniform_int_distribution<std::size_t>(0, max_length)(rng), ' ');
    for (char& c : s) c = alphabet[pick(rng)];
    return s;
  };
  for (System system : {System::kWestern1252, System::kCyrillic1251, System::kJapanese932}) {
    code_page.system = system;
    for (int round = 0; round < 150; ++round) {
      std::vector<std::string> entries;
      for (int i = round % 7; i > 0; --i) entries.push_back(random_text(5));
      BlockEntries blocked;
      blocked.Assign(entries, code_page);
      std::string folded_title, folded_entry;
      for (int t = 0; t < 40; ++t) {
        const std::string title = random_text(20);
        code_page.LowerUtf8(title, folded_title);
        bool expected = false;
        for (const std::string& e : entries) {
          code_page.LowerUtf8(e, folded_entry);
          expected = expected || (!title.empty() && folded_title.find(folded_entry) != std::string::npos);
        }
        ASSERT_EQ(blocked.IsBlocked(title), expected) << static_cast<int>(system) << " round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace quellix::engine
