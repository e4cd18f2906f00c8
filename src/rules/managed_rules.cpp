#include "rules/managed_rules.h"

#include "rules/rules_file.h"

namespace quellix::rules {
namespace {

std::optional<std::string> RulesPolicyPath(const settings::Policies& policies) { return policies.rules_path; }

blocklist::ManagedRead ReadManagedRules(platform::Services services, const std::string& path, std::uint64_t largest) {
  blocklist::ManagedRead managed;
  const std::optional<std::uint64_t> size = services.files.FileSize(path);
  if (size && *size > largest) {
    managed.problem = "It is larger than " + std::to_string(largest >> 20) + " MB.";
    return managed;
  }
  RulesRead read = ReadRulesFile(services.files, path);
  managed.read = read.outcome == RulesRead::Outcome::kRead;
  managed.missing = read.outcome == RulesRead::Outcome::kMissing;
  managed.problem = std::move(read.problem);
  // Lines that are no rule act on nothing: only the rules are kept.
  for (std::size_t i = 1; i <= read.list.Count(); ++i)
    if (read.list.At(i).rule) managed.entries.push_back(read.list.At(i).line);
  return managed;
}

std::string RulesBytes(const std::vector<std::string>& lines, platform::CodePage&) {
  RuleList list;
  for (const std::string& line : lines) list.Add(ReadRuleLine(line));
  return list.Text();
}

}  // namespace

const blocklist::ManagedKind kManagedRules{kManagedRulesCopyFileName, RulesPolicyPath, ReadManagedRules, RulesBytes};

}  // namespace quellix::rules
