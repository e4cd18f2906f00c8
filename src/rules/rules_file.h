#pragma once
// A rules file (popcfg.rules, an imported or exported one, or the organisation's): UTF-8 (a
// byte-order mark allowed), the header line first, then one rule a line. Lines starting with
// "#" and blank lines act on nothing and are kept as they are, as are lines that are no rule,
// so that storing the file loses nothing of it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "product/file_safety.h"
#include "rules/rule.h"

namespace quellix::rules {

class RuleList {
 public:
  // The list a file's text gives, or nothing, with `problem` saying why, when the text does
  // not begin with the header (an empty text is an empty list).
  static std::optional<RuleList> Parse(std::string_view text, std::string& problem);
  // The file's text: the header, then every line, each ended by CR LF.
  std::string Text() const;

  // The lines that are rules or meant to be (not comments or blank), 1-based.
  std::size_t Count() const { return entries_.size(); }
  const RuleLine& At(std::size_t i) const { return lines_[entries_[i - 1]].read; }
  void Add(RuleLine line);
  void Replace(std::size_t i, RuleLine line);
  void Remove(std::size_t i);
  // The rules that act, in file order.
  std::vector<Rule> Rules() const;

 private:
  struct Line {
    bool note = false;  // a comment or a blank line
    RuleLine read;
  };
  void Index();
  std::vector<Line> lines_;
  std::vector<std::size_t> entries_;  // where the lines that are not notes are
};

struct RulesRead {
  enum class Outcome { kRead, kMissing, kFailed };
  Outcome outcome = Outcome::kMissing;
  RuleList list;
  std::string problem;  // kFailed: why, in a sentence for the user
};

// The largest rules file read.
inline constexpr std::uint64_t kLargestRulesFile = 4ull << 20;

// Reads a rules file. One larger than kLargestRulesFile, one that cannot be read, one
// holding NUL characters and one without the header give kFailed: such a file is never
// written over until it could be read.
RulesRead ReadRulesFile(platform::FileSystem& files, const std::string& path);
// Stores the list, replacing the file only once the new one is complete.
product::WriteOutcome StoreRulesFile(platform::FileSystem& files, const std::string& path, const RuleList& list);

std::string RulesPath(std::string_view data_folder);

}  // namespace quellix::rules
