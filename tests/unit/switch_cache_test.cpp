#include "settings/switch_cache.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"
#include "settings/settings_table.h"

namespace quellix::settings {
namespace {

class SwitchCacheTest : public ::testing::Test {
 protected:
  sim::SimRegistry registry;
  void Machine(std::string_view name, std::string text) {
    registry.PutString(kProductRoot, kProductKey, name, std::move(text));
  }
  void User(std::string_view name, std::string text) {
    registry.PutString(platform::RegistryRoot::kCurrentUser, kProductKey, name, std::move(text));
  }
  std::size_t Queries() const { return registry.Queries().size(); }
};

TEST_F(SwitchCacheTest, ReadsEverySwitchOnceAndThenNothingUntilAChange) {
  Machine("0", "1");
  Machine("1", "0");
  Machine("3", "1");
  Machine("7", "1");
  Machine("chromium", "1");
  Machine("instant", "1");
  SwitchCache cache(registry);
  const BurnSwitches first = cache.Current();
  EXPECT_EQ(first.support_ie, 1);
  EXPECT_EQ(first.support_netscape, 0);
  EXPECT_TRUE(first.kill_no_max_button);
  EXPECT_FALSE(first.kill_no_min_button);
  EXPECT_FALSE(first.kill_no_title_bar);
  EXPECT_TRUE(first.logging);
  EXPECT_TRUE(first.chromium);
  EXPECT_TRUE(first.instant);

  const std::size_t after_first = Queries();
  EXPECT_GT(after_first, 0u);
  for (int i = 0; i < 1000; ++i) cache.Current();
  EXPECT_EQ(Queries(), after_first);
}

TEST_F(SwitchCacheTest, AChangeInEitherLayerIsSeenAtTheNextQuestion) {
  Machine("0", "1");
  SwitchCache cache(registry);
  EXPECT_EQ(cache.Current().support_ie, 1);
  User("0", "0");  // the per-user value now hides the machine value
  EXPECT_EQ(cache.Current().support_ie, 0);
  EXPECT_FALSE(cache.Current().instant);  // missing is off
  User("instant", "1");
  EXPECT_TRUE(cache.Current().instant);
  Machine("1", "1");
  EXPECT_EQ(cache.Current().support_netscape, 1);
  registry.Delete(platform::RegistryRoot::kCurrentUser, kProductKey, "0");
  EXPECT_EQ(cache.Current().support_ie, 1);
}

TEST_F(SwitchCacheTest, AProductKeyMadeLaterIsWatchedFromThen) {
  SwitchCache cache(registry);
  EXPECT_FALSE(cache.Current().logging);
  const std::size_t before = Queries();
  EXPECT_FALSE(cache.Current().logging);
  EXPECT_EQ(Queries(), before);
  User("7", "1");
  EXPECT_TRUE(cache.Current().logging);
}

TEST_F(SwitchCacheTest, ChangesOutsideTheProductKeyCostNoRead) {
  SwitchCache cache(registry);
  cache.Current();
  const std::size_t before = Queries();
  registry.PutString(kRunRoot, kRunKeyNt, kAutoStartValue, "x");
  registry.PutString(kProductRoot, "software\\Kelvane\\popup\\other", "0", "1");
  cache.Current();
  EXPECT_EQ(Queries(), before);
}

}  // namespace
}  // namespace quellix::settings
