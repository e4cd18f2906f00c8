#pragma once
// The user's rules as the program keeps them: popcfg.rules in the user's data folder, the
// figures of each rule in popcfg.rulehits beside it, and the rules that act now.

#include <string>
#include <vector>

#include "engine/rule_judge.h"
#include "platform/platform.h"
#include "product/file_safety.h"
#include "rules/rules_file.h"
#include "settings/policies.h"

namespace quellix::rules {

inline constexpr std::string_view kRuleFiguresFileName = "popcfg.rulehits";

class RuleBook {
 public:
  RuleBook(platform::Services services, std::string data_folder)
      : services_(services), data_folder_(std::move(data_folder)) {}

  // Reads popcfg.rules and the rules' figures. A file that exists but could not be read is
  // never stored over: the rules it held stay unknown and none of the user's act.
  void Load(engine::RuleState& state);
  const RuleList& List() const { return list_; }
  // Why popcfg.rules could not be read; empty when it was.
  const std::string& Problem() const { return problem_; }

  // Stores an edited list and makes its rules act; nothing is stored over a file that could
  // not be read, and a list that could not be stored stays as it was.
  product::WriteOutcome Store(const RuleList& list, engine::RuleState& state);

  // Follows the policies and the managed rules' lines: the rules that act are the user's
  // (unless AllowUserRules keeps them from acting), then the managed ones, and none at all
  // while EnableRules turns the rules off.
  void Follow(const settings::Policies& policies, const std::vector<std::string>& managed_lines,
              engine::RuleState& state);
  bool OwnAllowed() const { return own_; }
  const std::vector<Rule>& Managed() const { return managed_; }

  // Credits each action to its rule's figures and stores them.
  void Credit(const std::vector<engine::RuleActed>& acted, engine::RuleState& state, const std::string& when);

 private:
  void MakeActive(engine::RuleState& state) const;
  void StoreFigures(const engine::RuleState& state);

  platform::Services services_;
  std::string data_folder_;
  RuleList list_;
  std::string problem_;
  bool figures_unreadable_ = false;
  bool own_ = true;
  std::vector<Rule> managed_;
};

}  // namespace quellix::rules
