#pragma once
// Every registry value the product reads under the policy keys, in one place. An
// organisation sets these (by Group Policy or any tool that writes the registry); the
// product only ever reads them. The administrative templates in res/policies name exactly
// these values.

#include <array>
#include <string_view>

#include "platform/registry.h"

namespace quellix::settings {

// The same path below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER; the machine's value wins.
inline constexpr std::string_view kPolicyKey = "software\\Policies\\Kelvane\\Quellix";

// A REG_DWORD policy that forces one of the product's stored switches: 1 on, 0 off.
struct SwitchPolicy {
  std::string_view policy;  // the value's name under the policy keys
  std::string_view stored;  // the product's own value it stands for
};

inline constexpr std::array<SwitchPolicy, 10> kSwitchPolicies{{
    {"SupportInternetExplorer", "0"},
    {"SupportMozilla", "1"},
    {"SupportChromium", "chromium"},
    {"BurnAtOnce", "instant"},
    {"EnableLogging", "7"},
    {"PlaySound", "2"},
    {"KillNoTitleBar", "6"},
    {"KillNoMinButton", "5"},
    {"KillNoMaxButton", "3"},
    {"AutoStart", "4"},
}};

// REG_SZ: a block list file (local or UNC path) in the same format as the user's own.
inline constexpr std::string_view kPolicyBlockListPath = "BlockListPath";
// REG_DWORD, 5 to 1440: minutes between two reads of that file. 15 when not set.
inline constexpr std::string_view kPolicyBlockListRefreshMinutes = "BlockListRefreshMinutes";
inline constexpr unsigned kDefaultRefreshMinutes = 15;
inline constexpr unsigned kFewestRefreshMinutes = 5;
inline constexpr unsigned kMostRefreshMinutes = 1440;
// REG_DWORD, 0 or 1: 0 keeps the user's own list from being edited or burning. 1 when not set.
inline constexpr std::string_view kPolicyAllowUserEntries = "AllowUserEntries";

// Rules for other programs' windows: a rules file read as the block list file is.
// REG_SZ: a rules file (local or UNC path) in the same format as the user's popcfg.rules.
inline constexpr std::string_view kPolicyRulesPath = "RulesPath";
// REG_DWORD, 0 or 1: 0 keeps the user's own rules from being edited or acting. 1 when not set.
inline constexpr std::string_view kPolicyAllowUserRules = "AllowUserRules";
// REG_DWORD, 0 or 1: 0 turns every rule off, the organisation's included. 1 when not set.
inline constexpr std::string_view kPolicyEnableRules = "EnableRules";

}  // namespace quellix::settings
