// The organisation's switch policies where the product acts on them: the burn cycle's
// switches, the burn cycle itself, the sound copy the tray menu takes, and the preview of
// an entry. A policy wins over what the product stores and is never written anywhere.
#include <gtest/gtest.h>

#include "dword_bytes.h"
#include "engine/burn_cycle.h"
#include "engine/entry_preview.h"
#include "platform/sim/sim_registry.h"
#include "settings/policies.h"
#include "settings/settings_table.h"
#include "settings/switch_cache.h"
#include "test_world.h"
#include "text/text.h"

namespace quellix::settings {
namespace {

using platform::RegistryRoot;
namespace regtype = platform::regtype;

using quellix::testing::Dword;

void SetPolicy(sim::SimRegistry& registry, RegistryRoot root, std::string_view name, std::uint32_t n) {
  registry.Put(root, kPolicyKey, name, regtype::kDword, Dword(n));
}

// Each BurnSwitches member with the stored switch it stands for, read as on or off.
struct CycleSwitch {
  std::string_view stored;
  bool (*on)(const BurnSwitches&);
};
const CycleSwitch kCycleSwitches[] = {
    {kSupportIe, [](const BurnSwitches& s) { return s.support_ie == 1; }},
    {kSupportNetscape, [](const BurnSwitches& s) { return s.support_netscape == 1; }},
    {kKillNoMaxButton, [](const BurnSwitches& s) { return s.kill_no_max_button; }},
    {kKillNoMinButton, [](const BurnSwitches& s) { return s.kill_no_min_button; }},
    {kKillNoTitleBar, [](const BurnSwitches& s) { return s.kill_no_title_bar; }},
    {kEnableLogging, [](const BurnSwitches& s) { return s.logging; }},
    {kChromium, [](const BurnSwitches& s) { return s.chromium; }},
    {kInstant, [](const BurnSwitches& s) { return s.instant; }},
};

std::string_view PolicyFor(std::string_view stored) {
  for (const SwitchPolicy& p : kSwitchPolicies)
    if (p.stored == stored) return p.policy;
  return {};
}

std::size_t PolicyQueries(const sim::SimRegistry& registry) {
  std::size_t n = 0;
  for (const std::string& name : registry.Queries())
    for (const SwitchPolicy& p : kSwitchPolicies)
      if (text::LowerCase(name) == text::LowerCase(p.policy)) ++n;
  return n;
}

TEST(PolicySwitchCacheTest, EachSwitchPolicyWinsOverTheOppositeStoredValueWhicheverWayItForces) {
  for (const CycleSwitch& s : kCycleSwitches) {
    for (const bool forced : {false, true}) {
      sim::SimRegistry registry;
      registry.PutString(kProductRoot, kProductKey, s.stored, forced ? "0" : "1");
      SetPolicy(registry, RegistryRoot::kLocalMachine, PolicyFor(s.stored), forced ? 1 : 0);
      SwitchCache cache(registry);
      const BurnSwitches& now = cache.Current();
      EXPECT_EQ(s.on(now), forced) << s.stored;
      // Only its own switch: every other one is as stored (nothing stored is off).
      for (const CycleSwitch& other : kCycleSwitches) {
        if (other.stored == s.stored) continue;
        EXPECT_FALSE(other.on(now)) << s.stored << " moved " << other.stored;
      }
      EXPECT_TRUE(registry.Writes(RegistryRoot::kLocalMachine).empty());
      EXPECT_TRUE(registry.Writes(RegistryRoot::kCurrentUser).empty());
    }
  }
}

TEST(PolicySwitchCacheTest, TheMachinePolicyWinsOverTheUsersWhichWinsOverTheStoredValue) {
  sim::SimRegistry registry;
  registry.PutString(kProductRoot, kProductKey, kSupportNetscape, "0");
  registry.PutString(kProductRoot, kProductKey, kEnableLogging, "0");
  SetPolicy(registry, RegistryRoot::kCurrentUser, "SupportMozilla", 1);
  SwitchCache cache(registry);
  EXPECT_EQ(cache.Current().support_netscape, 1);  // user policy over the stored "0"
  SetPolicy(registry, RegistryRoot::kLocalMachine, "SupportMozilla", 0);
  EXPECT_EQ(cache.Current().support_netscape, 0);  // machine over user
  registry.Delete(RegistryRoot::kLocalMachine, kPolicyKey, "SupportMozilla");
  EXPECT_EQ(cache.Current().support_netscape, 1);  // the user's again
  registry.Delete(RegistryRoot::kCurrentUser, kPolicyKey, "SupportMozilla");
  registry.PutString(kProductRoot, kProductKey, kSupportNetscape, "2");
  EXPECT_EQ(cache.Current().support_netscape, 2);  // no policy: the stored number, as it reads
}

TEST(PolicySwitchCacheTest, APolicyOfTheWrongTypeOrOutOfRangeLeavesTheStoredValue) {
  sim::SimRegistry registry;
  registry.PutString(kProductRoot, kProductKey, kSupportIe, "1");
  registry.PutString(kProductRoot, kProductKey, kEnableLogging, "1");
  registry.PutString(kProductRoot, kProductKey, kKillNoTitleBar, "1");
  registry.PutString(RegistryRoot::kLocalMachine, kPolicyKey, "SupportInternetExplorer", "0");
  SetPolicy(registry, RegistryRoot::kLocalMachine, "EnableLogging", 2);
  registry.Put(RegistryRoot::kLocalMachine, kPolicyKey, "KillNoTitleBar", regtype::kBinary, Dword(0));
  SwitchCache cache(registry);
  EXPECT_EQ(cache.Current().support_ie, 1);
  EXPECT_TRUE(cache.Current().logging);
  EXPECT_TRUE(cache.Current().kill_no_title_bar);
}

TEST(PolicySwitchCacheTest, PoliciesAreReadAgainOnlyWhenAPolicyKeyChanges) {
  sim::SimRegistry registry;
  SetPolicy(registry, RegistryRoot::kLocalMachine, "SupportMozilla", 1);
  SwitchCache cache(registry);
  EXPECT_EQ(cache.Current().support_netscape, 1);
  const std::size_t first = PolicyQueries(registry);
  EXPECT_GT(first, 0u);
  for (int i = 0; i < 100; ++i) cache.Current();
  // A change of the product's own key reads the stored switches, not the policies.
  registry.PutString(kProductRoot, kProductKey, "cnt", "5");
  EXPECT_EQ(cache.Current().support_netscape, 1);
  EXPECT_EQ(PolicyQueries(registry), first);
  // A change under a policy key is seen at the next question.
  SetPolicy(registry, RegistryRoot::kCurrentUser, "EnableLogging", 1);
  EXPECT_TRUE(cache.Current().logging);
  EXPECT_GT(PolicyQueries(registry), first);
}

TEST(PolicySwitchTextTest, AForcedSwitchReadsAsOneOrZeroAndAFreeOneAsStored) {
  Policies policies;
  policies.switches[1] = true;   // SupportMozilla
  policies.switches[5] = false;  // PlaySound
  ASSERT_EQ(kSwitchPolicies[1].stored, kSupportNetscape);
  ASSERT_EQ(kSwitchPolicies[5].stored, kPlaySound);
  EXPECT_EQ(policies.SwitchText(kSupportNetscape, "0"), "1");
  EXPECT_EQ(policies.SwitchText(kPlaySound, "1"), "0");
  EXPECT_EQ(policies.SwitchText(kSupportIe, " 1x"), " 1x");
}

}  // namespace
}  // namespace quellix::settings

namespace quellix::engine {
namespace {

using platform::RegistryRoot;
using quellix::testing::World;

constexpr std::uint32_t kBareWindowStyle = 0x80000000;  // a pop-up style without a title bar

class PolicyBurnCycleTest : public ::testing::Test {
 protected:
  World world;
  void Policy(std::string_view name, std::uint32_t n, RegistryRoot root = RegistryRoot::kLocalMachine) {
    settings::SetPolicy(world.sim.registry, root, name, n);
  }
  platform::WindowId Frame(std::string class_name, std::string caption,
                           std::uint32_t style = sim::kOverlappedWindowStyle) {
    const auto id = world.OpenOnTop(std::move(class_name), std::move(caption), style);
    // A plain window on top, so the frame is met on the long way.
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  void Tick() { BurnCycle(world.services(), world.state, world.app_folder, world.own_window); }
  std::vector<std::string> ProductWrites() {
    std::vector<std::string> out;
    for (RegistryRoot root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser})
      for (const std::string& w : world.sim.registry.Writes(root))
        if (w.rfind("software\\kelvane\\popup\\option\\cnt", 0) != 0) out.push_back(w);
    return out;
  }
};

TEST_F(PolicyBurnCycleTest, AMozillaPolicyBurnsWhileTheStoredSwitchIsOffAndTheReverse) {
  world.state.block_entries.Assign({"offers"}, world.services().code_page);
  world.SetOption("1", "0");
  Policy("SupportMozilla", 1);
  const auto moz = Frame("MozillaWindowClass", "Cheap offers - Mozilla");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(moz), 1);
  EXPECT_EQ(world.Option("1"), "0");  // the stored value is left as it was

  world.SetOption("0", "1");
  Policy("SupportInternetExplorer", 0);
  const auto ie = Frame("IEFrame", "More offers - IE");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(ie), 0);
  EXPECT_EQ(ProductWrites(), std::vector<std::string>{});  // the counter aside, nothing written
}

TEST_F(PolicyBurnCycleTest, StyleAndLoggingPoliciesWinOverTheStoredSwitches) {
  world.state.block_entries.Assign({"offers"}, world.services().code_page);
  world.SetOption("0", "1");
  world.SetOption("6", "1");  // stored: burn frames without a title bar
  world.SetOption("7", "0");  // stored: no log
  Policy("KillNoTitleBar", 0);
  Policy("EnableLogging", 1);
  const auto bare = Frame("IEFrame", "Plain page - IE", kBareWindowStyle);
  const auto listed = Frame("IEFrame", "Cheap offers - IE");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(bare), 0);
  EXPECT_EQ(world.sim.desktop.CloseRequests(listed), 1);
  EXPECT_EQ(world.Log().size(), BurnRecord::kSize);
  EXPECT_EQ(ProductWrites(), std::vector<std::string>{});
}

TEST_F(PolicyBurnCycleTest, ThePreviewCountsTheFramesThePoliciesLetTheCycleBurn) {
  world.SetOption("1", "0");
  Frame("MozillaWindowClass", "Cheap offers - Mozilla");
  const auto unmanaged =
      PreviewEntry(world.services(), world.own_window, "offers", world.state.frame_ages);
  EXPECT_EQ(unmanaged.open, 0u);
  Policy("SupportMozilla", 1);
  const auto managed = PreviewEntry(world.services(), world.own_window, "offers", world.state.frame_ages,
                                    CurrentPolicies(world.state, world.sim.registry));
  EXPECT_EQ(managed.open, 1u);
  EXPECT_EQ(managed.would_burn, 1u);
}

}  // namespace
}  // namespace quellix::engine
