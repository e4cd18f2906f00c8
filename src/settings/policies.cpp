#include "settings/policies.h"

#include <cstdint>

namespace quellix::settings {
namespace {

// The longest path a policy may name, in UTF-8 bytes (the wide path limit, each character
// taking up to three bytes), with room for the terminator the query adds.
constexpr std::size_t kPathBufferSize = 32767 * 3 + 1;

class OpenPolicyKey {
 public:
  OpenPolicyKey(platform::Registry& registry, platform::RegistryRoot root)
      : registry_(registry), key_(registry, registry.OpenKey(root, kPolicyKey, platform::regaccess::kRead)) {}

  std::optional<std::uint32_t> Number(std::string_view name) const {
    if (key_.get() == 0) return std::nullopt;
    const platform::RegistryData data = registry_.QueryValue(key_.get(), name, sizeof(std::uint32_t));
    if (!data.ok || data.type != platform::regtype::kDword || data.bytes.size() != sizeof(std::uint32_t))
      return std::nullopt;
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < sizeof n; ++i)
      n |= static_cast<std::uint32_t>(static_cast<unsigned char>(data.bytes[i])) << (8 * i);
    return n;
  }

  std::optional<std::string> Path(std::string_view name) const {
    if (key_.get() == 0) return std::nullopt;
    const platform::RegistryData data = registry_.QueryPathValue(key_.get(), name, kPathBufferSize);
    if (!data.ok || data.type != platform::regtype::kString) return std::nullopt;
    std::string path = data.bytes;
    if (!path.empty() && path.back() == '\0') path.pop_back();
    // An empty text, or one with a NUL inside, names no file.
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    return path;
  }

 private:
  platform::Registry& registry_;
  platform::OpenedKey key_;
};

std::optional<bool> Switch(std::optional<std::uint32_t> n) {
  if (n == 0u) return false;
  if (n == 1u) return true;
  return std::nullopt;
}

std::optional<unsigned> Minutes(std::optional<std::uint32_t> n) {
  if (n && *n >= kFewestRefreshMinutes && *n <= kMostRefreshMinutes) return static_cast<unsigned>(*n);
  return std::nullopt;
}

}  // namespace

std::optional<bool> Policies::Forced(std::string_view stored) const {
  for (std::size_t i = 0; i < kSwitchPolicies.size(); ++i)
    if (kSwitchPolicies[i].stored == stored) return switches[i];
  return std::nullopt;
}

bool Policies::AnySwitchForced() const {
  for (const auto& forced : switches)
    if (forced) return true;
  return false;
}

std::string Policies::SwitchText(std::string_view stored, std::string stored_text) const {
  if (const std::optional<bool> forced = Forced(stored)) return *forced ? "1" : "0";
  return stored_text;
}

Policies ReadPolicies(platform::Registry& registry) {
  const OpenPolicyKey machine(registry, platform::RegistryRoot::kLocalMachine);
  const OpenPolicyKey user(registry, platform::RegistryRoot::kCurrentUser);
  // The machine's value when it can be taken, else the user's.
  const auto layered = [&](auto read) {
    auto value = read(machine);
    return value ? value : read(user);
  };

  Policies policies;
  for (std::size_t i = 0; i < kSwitchPolicies.size(); ++i) {
    const std::string_view name = kSwitchPolicies[i].policy;
    policies.switches[i] = layered([name](const OpenPolicyKey& key) { return Switch(key.Number(name)); });
  }
  policies.block_list_path = layered([](const OpenPolicyKey& key) { return key.Path(kPolicyBlockListPath); });
  if (const auto minutes = layered(
          [](const OpenPolicyKey& key) { return Minutes(key.Number(kPolicyBlockListRefreshMinutes)); }))
    policies.block_list_refresh_minutes = *minutes;
  if (const auto allow =
          layered([](const OpenPolicyKey& key) { return Switch(key.Number(kPolicyAllowUserEntries)); }))
    policies.allow_user_entries = *allow;
  policies.rules_path = layered([](const OpenPolicyKey& key) { return key.Path(kPolicyRulesPath); });
  if (const auto allow = layered([](const OpenPolicyKey& key) { return Switch(key.Number(kPolicyAllowUserRules)); }))
    policies.allow_user_rules = *allow;
  if (const auto enable = layered([](const OpenPolicyKey& key) { return Switch(key.Number(kPolicyEnableRules)); }))
    policies.enable_rules = *enable;
  return policies;
}

PolicyCache::PolicyCache(platform::Registry& registry)
    : registry_(registry),
      watch_(registry.WatchKeys({{platform::RegistryRoot::kLocalMachine, std::string(kPolicyKey)},
                                 {platform::RegistryRoot::kCurrentUser, std::string(kPolicyKey)}})) {}

const Policies& PolicyCache::Current() {
  if (!watch_ || watch_->TakeChange()) policies_ = ReadPolicies(registry_);
  return policies_;
}

}  // namespace quellix::settings
