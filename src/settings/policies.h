#pragma once
// The policies an organisation set for the product, read from the policy keys. A policy
// that is set wins over what the product stores; one that is absent, of the wrong type or
// out of range leaves the product's own value in charge. Nothing here ever writes.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "settings/policy_table.h"

namespace quellix::settings {

struct Policies {
  // Indexed as kSwitchPolicies: the state each policy forces, if it is set.
  std::array<std::optional<bool>, kSwitchPolicies.size()> switches{};
  std::optional<std::string> block_list_path;  // UTF-8, never empty
  unsigned block_list_refresh_minutes = kDefaultRefreshMinutes;
  bool allow_user_entries = true;
  std::optional<std::string> rules_path;  // UTF-8, never empty
  bool allow_user_rules = true;
  bool enable_rules = true;

  // The state a policy forces on the stored switch `stored` ("0" to "7", "chromium",
  // "instant"), or nothing when no policy manages it.
  std::optional<bool> Forced(std::string_view stored) const;
  // True when a policy manages at least one of the switches.
  bool AnySwitchForced() const;
  // The text the product acts on for the stored switch `stored`: "1" or "0" when a policy
  // forces it, else `stored_text` as it was read.
  std::string SwitchText(std::string_view stored, std::string stored_text) const;

  bool operator==(const Policies&) const = default;
};

// Reads both policy keys; for each value the machine's wins over the user's, and a value
// that cannot be taken in one key lets the other key's show.
Policies ReadPolicies(platform::Registry& registry);

// The policies, read again only after the registry said that a policy key changed.
class PolicyCache {
 public:
  explicit PolicyCache(platform::Registry& registry);
  const Policies& Current();

 private:
  platform::Registry& registry_;
  std::unique_ptr<platform::RegistryWatch> watch_;
  Policies policies_;
};

}  // namespace quellix::settings
