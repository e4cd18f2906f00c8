#pragma once
// The managed rules: a rules file an organisation names by policy (RulesPath), read as the
// managed block list is, its last good copy kept as popcfg.managedrules beside the user's
// rules. Its entries are the lines of the rules that act.

#include "blocklist/managed_list.h"

namespace quellix::rules {

inline constexpr std::string_view kManagedRulesCopyFileName = "popcfg.managedrules";
extern const blocklist::ManagedKind kManagedRules;

}  // namespace quellix::rules
