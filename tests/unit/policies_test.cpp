#include "settings/policies.h"

#include <gtest/gtest.h>

#include "dword_bytes.h"
#include "platform/sim/sim_registry.h"

namespace quellix::settings {
namespace {

using platform::RegistryRoot;
namespace regtype = platform::regtype;

using quellix::testing::Dword;

class PoliciesTest : public ::testing::Test {
 protected:
  sim::SimRegistry registry;
  void Set(RegistryRoot root, std::string_view name, std::uint32_t n) {
    registry.Put(root, kPolicyKey, name, regtype::kDword, Dword(n));
  }
  void Machine(std::string_view name, std::uint32_t n) { Set(RegistryRoot::kLocalMachine, name, n); }
  void User(std::string_view name, std::uint32_t n) { Set(RegistryRoot::kCurrentUser, name, n); }
};

TEST_F(PoliciesTest, NothingSetManagesNothing) {
  const Policies policies = ReadPolicies(registry);
  EXPECT_FALSE(policies.AnySwitchForced());
  EXPECT_FALSE(policies.block_list_path);
  EXPECT_EQ(policies.block_list_refresh_minutes, 15u);
  EXPECT_TRUE(policies.allow_user_entries);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(PoliciesTest, EachSwitchPolicyForcesItsOwnStoredSwitchOnly) {
  for (std::size_t i = 0; i < kSwitchPolicies.size(); ++i) {
    sim::SimRegistry fresh;
    fresh.Put(RegistryRoot::kLocalMachine, kPolicyKey, kSwitchPolicies[i].policy, regtype::kDword,
              Dword(i % 2));
    const Policies policies = ReadPolicies(fresh);
    for (const SwitchPolicy& other : kSwitchPolicies) {
      if (other.stored == kSwitchPolicies[i].stored) {
        EXPECT_EQ(policies.Forced(other.stored), std::optional<bool>(i % 2 == 1)) << other.policy;
      } else {
        EXPECT_FALSE(policies.Forced(other.stored))
            << kSwitchPolicies[i].policy << " forced " << other.policy;
      }
    }
  }
}

TEST_F(PoliciesTest, TheMachineWinsOverTheUserAndTheUserOverNothing) {
  Machine("SupportMozilla", 0);
  User("SupportMozilla", 1);
  User("EnableLogging", 1);
  Machine("AllowUserEntries", 0);
  User("AllowUserEntries", 1);
  User("BlockListRefreshMinutes", 60);
  const Policies policies = ReadPolicies(registry);
  EXPECT_EQ(policies.Forced("1"), std::optional<bool>(false));
  EXPECT_EQ(policies.Forced("7"), std::optional<bool>(true));
  EXPECT_FALSE(policies.Forced("0"));
  EXPECT_FALSE(policies.allow_user_entries);
  EXPECT_EQ(policies.block_list_refresh_minutes, 60u);
}

TEST_F(PoliciesTest, AValueOfTheWrongTypeOrOutOfRangeCountsAsAbsent) {
  // Each of these in the machine key is ignored, so the user's value shows.
  registry.PutString(RegistryRoot::kLocalMachine, kPolicyKey, "SupportInternetExplorer", "1");
  User("SupportInternetExplorer", 0);
  Machine("EnableLogging", 2);
  User("EnableLogging", 1);
  registry.Put(RegistryRoot::kLocalMachine, kPolicyKey, "PlaySound", regtype::kQword, Dword(1) + Dword(0));
  registry.Put(RegistryRoot::kLocalMachine, kPolicyKey, "KillNoTitleBar", regtype::kBinary, Dword(1));
  registry.Put(RegistryRoot::kLocalMachine, kPolicyKey, "KillNoMinButton", regtype::kDword, "\x01\x00");
  Machine("AllowUserEntries", 0xFFFFFFFF);
  Machine("BlockListRefreshMinutes", 4);
  User("BlockListRefreshMinutes", 1441);
  Machine("BlockListPath", 1);
  const Policies policies = ReadPolicies(registry);
  EXPECT_EQ(policies.Forced("0"), std::optional<bool>(false));
  EXPECT_EQ(policies.Forced("7"), std::optional<bool>(true));
  EXPECT_FALSE(policies.Forced("2"));
  EXPECT_FALSE(policies.Forced("6"));
  EXPECT_FALSE(policies.Forced("5"));
  EXPECT_TRUE(policies.allow_user_entries);
  EXPECT_EQ(policies.block_list_refresh_minutes, 15u);
  EXPECT_FALSE(policies.block_list_path);
}

TEST_F(PoliciesTest, TheRefreshIntervalKeepsItsEnds) {
  Machine("BlockListRefreshMinutes", 5);
  EXPECT_EQ(ReadPolicies(registry).block_list_refresh_minutes, 5u);
  Machine("BlockListRefreshMinutes", 1440);
  EXPECT_EQ(ReadPolicies(registry).block_list_refresh_minutes, 1440u);
}

TEST_F(PoliciesTest, TheBlockListPathIsTakenWholeAndAnEmptyOrExpandableOneIsNot) {
  const std::string share = "\\\\files\\policy\\Pop-ups \xC3\xA9t\xC3\xA9.apo";
  registry.PutString(RegistryRoot::kCurrentUser, kPolicyKey, "BlockListPath", share);
  EXPECT_EQ(ReadPolicies(registry).block_list_path, share);
  registry.PutString(RegistryRoot::kLocalMachine, kPolicyKey, "BlockListPath", "");
  EXPECT_EQ(ReadPolicies(registry).block_list_path, share);
  registry.Put(RegistryRoot::kLocalMachine, kPolicyKey, "BlockListPath", regtype::kExpandString,
               std::string("%TEMP%\\x.apo") + '\0');
  EXPECT_EQ(ReadPolicies(registry).block_list_path, share);
  registry.PutString(RegistryRoot::kLocalMachine, kPolicyKey, "BlockListPath", "C:\\lists\\org.apo");
  EXPECT_EQ(ReadPolicies(registry).block_list_path, "C:\\lists\\org.apo");
}

TEST_F(PoliciesTest, TheCacheReadsAgainOnlyAfterAPolicyKeyChanged) {
  PolicyCache cache(registry);
  EXPECT_FALSE(cache.Current().Forced("chromium"));
  const std::size_t reads = registry.Queries().size();
  for (int i = 0; i < 100; ++i) cache.Current();
  EXPECT_EQ(registry.Queries().size(), reads);
  Machine("SupportChromium", 1);  // the key is made now
  EXPECT_EQ(cache.Current().Forced("chromium"), std::optional<bool>(true));
  registry.Delete(RegistryRoot::kLocalMachine, kPolicyKey, "SupportChromium");
  EXPECT_FALSE(cache.Current().Forced("chromium"));
}

}  // namespace
}  // namespace quellix::settings
