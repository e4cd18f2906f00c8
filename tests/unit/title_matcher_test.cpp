// The automaton against the plain definition: lower-cased substring of any entry.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/block_entries.h"
#include "engine/title_matcher.h"
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
    BlockEntries blocked;
    blocked.Assign(entries);
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
  EXPECT_TRUE(m.ContainsAny("abce"));   // leaves "abc" for "bce"
  EXPECT_TRUE(m.ContainsAny("abcx"));   // "cx" is a suffix of a longer path
  EXPECT_FALSE(m.ContainsAny("abcb"));
  m.Build({"aab"});
  EXPECT_TRUE(m.ContainsAny("aaab"));   // restarts inside a run of the same byte
  m.Build({"he", "she", "his", "hers"});
  EXPECT_TRUE(m.ContainsAny("ushers"));
  EXPECT_FALSE(m.ContainsAny("hihs"));
}

TEST(TitleMatcher, OrderDuplicatesAndRebuildsDoNotChangeTheResult) {
  TitleMatcher forward, backward;
  std::vector<std::string> list = {"pop", "popup", "up", "pop"};
  forward.Build(list);
  backward.Build({list.rbegin(), list.rend()});
  for (const char* title : {"popup window", "a cup", "p o p", "upward"})
    EXPECT_EQ(forward.ContainsAny(title), backward.ContainsAny(title)) << title;
  forward.Build({});
  EXPECT_FALSE(forward.ContainsAny("popup"));
  forward.Build({""});
  EXPECT_TRUE(forward.ContainsAny(""));  // BlockEntries, not the automaton, keeps empty titles out
}

TEST(TitleMatcher, TenThousandEntriesMatchExactlyTheirOwnTitles) {
  std::vector<std::string> entries;
  for (int i = 0; i < 10000; ++i) entries.push_back("blocked pop-up number " + std::to_string(i) + "!");
  BlockEntries blocked;
  blocked.Assign(entries);
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
  BlockEntries blocked;
  blocked.Assign(entries);
  for (const std::string& e : entries) {
    const std::string title = "x" + text::LowerCase(e) + "y";
    EXPECT_TRUE(blocked.IsBlocked(title)) << e.size();
    EXPECT_EQ(blocked.IsBlocked(title.substr(0, e.size())), NaiveIsBlocked(entries, title.substr(0, e.size())));
  }
  for (int t = 0; t < 200; ++t) {
    const std::string title = RandomText(rng, 600);
    ASSERT_EQ(blocked.IsBlocked(title), NaiveIsBlocked(entries, title)) << t;
  }
}

}  // namespace
}  // namespace quellix::engine
