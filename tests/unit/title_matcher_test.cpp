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
#include "text/utf8.h"

namespace quellix::engine {
namespace {

// The plain definition: each text lower-cased by characters, then a substring search.
bool NaiveIsBlocked(const std::vector<std::string>& entries, const std::string& title) {
  if (title.empty()) return false;
  sim::SimCodePage code_page;
  std::string lowered, entry;
  code_page.LowerUtf8(title, lowered);
  for (const std::string& e : entries) {
    code_page.LowerUtf8(e, entry);
    if (lowered.find(entry) != std::string::npos) return true;
  }
  return false;
}

// Few distinct characters make overlaps, shared prefixes and suffix chains common, which is
// where failure links go wrong. Capitals of several scripts exercise the folding, characters
// of two to four bytes that share their first bytes the byte-wise automaton.
std::string RandomText(std::mt19937& rng, std::size_t max_length) {
  static const char* const alphabet[] = {"a", "b", "A", "B", "c", " ", "-", "\xC3\x89" /* É */,
                                         "\xC3\xA9" /* é */, std::string_view("\0", 1).data(), "\xC3\xBF" /* ÿ */,
                                         "\xD0\x96" /* Ж */, "\xD0\xB6" /* ж */, "\xE4\xB8\xAD" /* 中 */,
                                         "\xE4\xB8\xAE", "\xF0\x9F\x8E\x81" /* 🎁 */};
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
  std::string s;
  for (std::size_t n = length(rng); n > 0; --n) {
    const char* piece = alphabet[pick(rng)];
    s += *piece == '\0' ? std::string(1, '\0') : std::string(piece);
  }
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
  const std::vector<std::string> new_list = {"new", "news", "", std::string(400, 'n'), "\xC3\x89t\xC3\x89"};
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

// Titles and entries in every script: folded and compared character by character, whatever
// the system's code page (which only the stored files use).
class ScriptTitles : public ::testing::Test {
 protected:
  using System = sim::SimCodePage::System;
  sim::SimCodePage code_page;

  bool Blocks(std::vector<std::string> entries, std::string_view title) {
    BlockEntries blocked;
    blocked.Assign(std::move(entries), code_page);
    return blocked.IsBlocked(title);
  }
};

TEST_F(ScriptTitles, EveryCyrillicCapitalMatchesItsSmallLetter) {
  for (char32_t capital = 0x0400; capital <= 0x042F; ++capital) {
    const char32_t small = capital < 0x0410 ? capital + 0x50 : capital + 0x20;
    std::string upper = "x", lower = "x";
    text::AppendUtf8(upper, capital);
    text::AppendUtf8(lower, small);
    EXPECT_TRUE(Blocks({lower + "y"}, "Title " + upper + "y here")) << std::hex << +capital;
    EXPECT_TRUE(Blocks({upper + "y"}, "title " + lower + "y")) << std::hex << +capital;
  }
  // "ЧАЯ" and "чая", in any system code page.
  for (System system : {System::kWestern1252, System::kCyrillic1251, System::kJapanese932}) {
    code_page.system = system;
    EXPECT_TRUE(Blocks({"\xD1\x87\xD0\xB0\xD1\x8F"}, "\xD0\xA7\xD0\x90\xD0\xAF - \xD0\x9D\xD0\xBE\xD0\xB2"));
  }
  // "џ" and "я" are two small letters, not one another's.
  EXPECT_FALSE(Blocks({"\xD1\x9F"}, "\xD1\x8F"));
}

TEST_F(ScriptTitles, LettersWithoutASmallFormStayThemselves) {
  EXPECT_FALSE(Blocks({"\xC3\xB7"}, "\xC3\x97"));  // "÷" is not the small "×"
  EXPECT_FALSE(Blocks({"\xC3\xBF"}, "\xC3\x9F"));  // nor "ÿ" the small "ß"
  EXPECT_TRUE(Blocks({"\xC3\xBF"}, "\xC5\xB8"));   // "ÿ" is the small letter of "Ÿ"
  EXPECT_TRUE(Blocks({"\xC5\xA1\xC5\x93\xC5\xBE"}, "\xC5\xA0\xC5\x92\xC5\xBD"));  // "šœž" in "ŠŒŽ"
  EXPECT_TRUE(Blocks({"\xCE\xB4\xCF\x89"}, "\xCE\x94\xCE\xA9"));  // "δω" in "ΔΩ"
}

TEST_F(ScriptTitles, CharactersAreNeverTornApart) {
  // "中文": an entry made of bytes from the middle of its characters matches nothing.
  const std::string title = "\xE4\xB8\xAD\xE6\x96\x87";
  EXPECT_FALSE(Blocks({"\xAD\xE6"}, title));
  EXPECT_FALSE(Blocks({"\xB8"}, title));
  EXPECT_FALSE(Blocks({"\xE6\x96"}, title));
  EXPECT_TRUE(Blocks({"\xE6\x96\x87"}, title));
  EXPECT_TRUE(Blocks({title}, "[" + title + "]"));
  // An emoji is one character of four bytes: "🎁" is not "🎄", though they share three.
  EXPECT_FALSE(Blocks({"\xF0\x9F\x8E\x81"}, "Gift ideas \xF0\x9F\x8E\x84"));
  EXPECT_TRUE(Blocks({"\xF0\x9F\x8E\x84"}, "Gift ideas \xF0\x9F\x8E\x84"));
}

TEST_F(ScriptTitles, FullWidthCapitalsFoldLikeOtherLetters) {
  EXPECT_TRUE(Blocks({"\xEF\xBD\x81\xEF\xBD\x82"}, "\xEF\xBC\xA1\xEF\xBC\xA2 - x"));  // "ａｂ" in "ＡＢ"
  EXPECT_TRUE(Blocks({"\xEF\xBC\xA1"}, "\xEF\xBD\x81"));
  EXPECT_FALSE(Blocks({"a"}, "\xEF\xBC\xA1"));  // a full-width letter is not an ASCII one
}

TEST_F(ScriptTitles, AgreesWithThePlainDefinition) {
  std::mt19937 rng(932);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> entries;
    for (int i = round % 7; i > 0; --i) entries.push_back(RandomText(rng, 5));
    BlockEntries blocked;
    blocked.Assign(entries, code_page);
    for (int t = 0; t < 40; ++t) {
      const std::string title = RandomText(rng, 20);
      ASSERT_EQ(blocked.IsBlocked(title), NaiveIsBlocked(entries, title)) << " round " << round;
    }
  }
}

}  // namespace
}  // namespace quellix::engine
