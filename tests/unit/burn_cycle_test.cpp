#include "engine/burn_cycle.h"

#include <gtest/gtest.h>

#include "test_world.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;

class BurnCycleTest : public ::testing::Test {
 protected:
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;

  void SetUp() override { world.state.block_entries.Assign({"offers"}, world.sim.code_page); }
  void Support(const char* ie, const char* netscape) {
    world.SetOption("0", ie);
    world.SetOption("1", netscape);
  }
  void Tick() {
    BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
    desktop.DeliverCloseRequests();
  }
  // A browser frame that is not the first window, so it is met by the walk.
  platform::WindowId Frame(std::string class_name, std::string caption,
                           std::uint32_t style = sim::kOverlappedWindowStyle, bool ignores_close = false) {
    const auto id = world.OpenOnTop(std::move(class_name), std::move(caption), style, ignores_close);
    desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  std::size_t LogRecords() const { return world.Log().size() / 150; }
};

TEST_F(BurnCycleTest, OffSwitchBurnsNothing) {
  Support("1", "1");
  world.SetOption("7", "1");
  const auto w = Frame("IEFrame", "Cheap Offers - IE");
  world.state.burning.TurnOff();
  Tick();
  EXPECT_EQ(desktop.CloseRequests(w), 0);
  EXPECT_EQ(world.Option("cnt"), "<absent>");
  EXPECT_EQ(world.Log(), "");
}

TEST_F(BurnCycleTest, AnyNonZeroSwitchValueIsOn) {
  Support("1", "0");
  const auto w = Frame("IEFrame", "Cheap Offers - IE");
  world.state.burning = engine::BurnSwitch(-2);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(w), 1);
}

TEST_F(BurnCycleTest, SupportSwitchesChooseTheBrowsers) {
  struct Case {
    const char *ie, *netscape;
    bool burns_ie, burns_mozilla;
  };
  for (Case c :
       {Case{"1", "0", true, false}, Case{"0", "1", false, true}, Case{"1", "1", true, true},
        Case{"0", "0", false, false}, Case{"", "", false, false}, Case{"2", "1", false, false},
        Case{"1", "2", false, false}, Case{" 1", "1.0", true, true}, Case{"yes", "yes", false, false}}) {
    World w;
    w.state.block_entries.Assign({"offers"}, w.sim.code_page);
    w.SetOption("0", c.ie);
    w.SetOption("1", c.netscape);
    const auto ie = w.OpenOnTop("IEFrame", "Cheap Offers - IE");
    const auto moz = w.OpenOnTop("MozillaWindowClass", "More offers - Mozilla");
    const auto other = w.OpenOnTop("Notepad", "offers - Notepad");
    w.sim.desktop.BringToTop(w.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    BurnCycle(w.services(), w.state, w.app_folder, w.own_window);
    EXPECT_EQ(w.sim.desktop.CloseRequests(ie), c.burns_ie ? 1 : 0) << c.ie << "/" << c.netscape;
    EXPECT_EQ(w.sim.desktop.CloseRequests(moz), c.burns_mozilla ? 1 : 0) << c.ie << "/" << c.netscape;
    EXPECT_EQ(w.sim.desktop.CloseRequests(other), 0);
    EXPECT_EQ(w.Option("cnt"),
              c.burns_ie || c.burns_mozilla ? std::to_string(c.burns_ie + c.burns_mozilla) : "<absent>");
  }
}

TEST_F(BurnCycleTest, FirstWindowTakesTheShortWayWhateverTheSupportSwitches) {
  world.SetOption("7", "1");
  const auto first = world.OpenOnTop("IEFrame", "Cheap Offers - IE");
  const auto walked = Frame("IEFrame", "Offers again - IE");
  desktop.BringToTop(first);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(first), 1);
  EXPECT_EQ(desktop.CloseRequests(walked), 0);
  EXPECT_EQ(world.Option("cnt"), "1");
  ASSERT_EQ(LogRecords(), 1u);
  EXPECT_EQ(world.Log().substr(0, 50), std::string(50, '\0'));
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(50)), "[ 12/7/2026 ] [ 11:15:02 PM ] [ Cheap Offers ]");
}

TEST_F(BurnCycleTest, FirstWindowOfTheMozillaClassIsLeftToItself) {
  Support("1", "1");
  const auto first = world.OpenOnTop("MozillaWindowClass", "Cheap Offers - Mozilla");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(first), 0);
}

TEST_F(BurnCycleTest, LongWayBurnIsCountedSoundedAndLoggedInFull) {
  Support("1", "1");
  world.SetOption("7", "1");
  world.state.burn_count = "41";
  world.state.sound = SoundCopies{"1", "0", "1", "C:\\boom.wav"};
  Frame("MozillaWindowClass", "Cheap Offers - Mozilla");
  Tick();
  EXPECT_EQ(world.Option("cnt"), "42");
  EXPECT_EQ(world.sim.sound.played, (std::vector<std::string>{"C:\\boom.wav"}));
  ASSERT_EQ(LogRecords(), 1u);
  EXPECT_EQ(world.Log().substr(0, 30), text::Field("Netscape / Mozilla", 30));
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(50)), "Cheap Offers");
}

TEST_F(BurnCycleTest, LoggingOffWritesNoLog) {
  Support("1", "1");
  Frame("IEFrame", "Cheap Offers - IE");
  Tick();
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_FALSE(world.sim.files.Exists(world.app_folder + "\\popuplog.txt"));
}

TEST_F(BurnCycleTest, MatchingIgnoresCaseAndNeedsOnlyASubstring) {
  Support("1", "0");
  world.state.block_entries.Assign({"CHEAP"}, world.sim.code_page);
  const auto w = Frame("IEFrame", "very cheapest deals - IE");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(w), 1);
}

TEST_F(BurnCycleTest, AnEmptyEntryBurnsEveryFrameWithATitle) {
  Support("1", "1");
  world.state.block_entries.Assign({"zzz", ""}, world.sim.code_page);
  const auto titled = Frame("IEFrame", "Anything - IE");
  const auto untitled = Frame("IEFrame", "");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(titled), 1);
  EXPECT_EQ(desktop.CloseRequests(untitled), 0);
}

TEST_F(BurnCycleTest, NoListLoadedBurnsNothing) {
  Support("1", "1");
  world.state.block_entries.Assign({}, world.sim.code_page);
  const auto w = Frame("IEFrame", "Cheap Offers - IE");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(w), 0);
}

TEST_F(BurnCycleTest, AWindowThatRefusesToCloseIsBurnedAgainEveryTick) {
  Support("1", "0");
  world.SetOption("7", "1");
  const auto w = Frame("IEFrame", "Cheap Offers - IE", sim::kOverlappedWindowStyle, /*ignores_close=*/true);
  Tick();
  Tick();
  Tick();
  EXPECT_EQ(desktop.CloseRequests(w), 3);
  EXPECT_EQ(world.Option("cnt"), "3");
  EXPECT_EQ(LogRecords(), 3u);
}

TEST_F(BurnCycleTest, SwitchesAreReadOnceAndAgainOnlyAfterTheProductKeyChanged) {
  Support("1", "0");
  world.SetOption("7", "1");
  for (int i = 0; i < 3; ++i) Frame("IEFrame", "Weather - IE");
  const auto& queries = world.sim.registry.Queries();
  Tick();
  const std::size_t after_first = queries.size();
  EXPECT_GE(after_first, 7u);  // each switch once
  Tick();
  Tick();
  EXPECT_EQ(queries.size(), after_first);  // nothing changed, nothing read
  EXPECT_EQ(world.sim.registry.OpenHandles(), 0u);

  // Another program turns Internet Explorer support off: the next tick follows.
  world.SetOption("0", "0");
  const auto popup = Frame("IEFrame", "Cheap Offers - IE");
  Tick();
  EXPECT_GT(queries.size(), after_first);
  EXPECT_EQ(desktop.CloseRequests(popup), 0);
}

TEST_F(BurnCycleTest, ASupportSwitchTurnedOffMidWalkTakesEffectAtTheNextWindow) {
  Support("1", "0");
  const auto lower = Frame("IEFrame", "Cheap Offers - IE");
  const auto upper = Frame("IEFrame", "More Offers - IE");
  Tick();  // fills the cache; both burn
  ASSERT_EQ(desktop.CloseRequests(lower) + desktop.CloseRequests(upper), 2);

  const auto again_lower = Frame("IEFrame", "Cheap Offers - IE");
  const auto again_upper = Frame("IEFrame", "More Offers - IE");
  // Once the walk has moved past the upper frame, support is turned off.
  desktop.OnNextWindow([&](platform::WindowId from) {
    if (from == again_upper) world.SetOption("0", "0");
  });
  Tick();
  EXPECT_EQ(desktop.CloseRequests(again_upper), 1);
  EXPECT_EQ(desktop.CloseRequests(again_lower), 0);
}

TEST_F(BurnCycleTest, StyleSwitchesBurnSupportedFramesLackingThatPart) {
  struct Case {
    const char* name;
    std::uint32_t missing;
  };
  for (Case c : {Case{"3", 0x00010000}, Case{"5", 0x00020000}, Case{"6", 0x00400000}}) {
    World w;
    w.state.block_entries.Assign({"never matches"}, w.sim.code_page);
    w.SetOption("0", "1");
    w.SetOption("1", "0");
    w.SetOption("7", "1");
    w.SetOption(c.name, "1");
    const auto lacking = w.OpenOnTop("IEFrame", "Plain - IE", sim::kOverlappedWindowStyle & ~c.missing);
    const auto whole = w.OpenOnTop("IEFrame", "Whole - IE");
    const auto moz = w.OpenOnTop("MozillaWindowClass", "Unsupported - Mozilla", 0);
    const auto tool = w.OpenOnTop("ToolWindow", "Not a browser", 0);
    w.sim.desktop.BringToTop(w.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    BurnCycle(w.services(), w.state, w.app_folder, w.own_window);
    EXPECT_EQ(w.sim.desktop.CloseRequests(lacking), 1) << c.name;
    EXPECT_EQ(w.sim.desktop.CloseRequests(whole), 0) << c.name;
    EXPECT_EQ(w.sim.desktop.CloseRequests(moz), 0) << c.name;
    EXPECT_EQ(w.sim.desktop.CloseRequests(tool), 0) << c.name;
    EXPECT_EQ(w.Option("cnt"), "1") << c.name;
    EXPECT_EQ(text::TrimBlanks(w.Log().substr(50, 100)), "Plain") << c.name;
  }
}

TEST_F(BurnCycleTest, AFrameIsBurnedAtMostOncePerTick) {
  Support("1", "0");
  for (const char* name : {"3", "5", "6"}) world.SetOption(name, "1");
  const auto bare = Frame("IEFrame", "Cheap Offers - IE", 0);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(bare), 1);
  EXPECT_EQ(world.Option("cnt"), "1");
}

TEST_F(BurnCycleTest, StyleSwitchesOffLeaveBareFramesAlone) {
  Support("1", "1");
  const auto bare = Frame("IEFrame", "Harmless - IE", 0);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(bare), 0);
}

TEST_F(BurnCycleTest, AZOrderThatLoopsBackEndsTheWalkAndBurnsOnce) {
  Support("1", "1");
  const auto w = Frame("IEFrame", "Cheap Offers - IE");
  desktop.LinkBottomToTop();
  Tick();
  EXPECT_EQ(desktop.CloseRequests(w), 1);
  EXPECT_EQ(world.Option("cnt"), "1");
}

TEST_F(BurnCycleTest, WindowsVanishingMidWalkAreSkippedQuietly) {
  Support("1", "1");
  const auto later = Frame("IEFrame", "Cheap Offers - IE");
  const auto vanishing = Frame("IEFrame", "Gone offers - IE");
  desktop.VanishAfter(vanishing, 1);  // its class is read, then it is gone
  Tick();
  EXPECT_EQ(desktop.CloseRequests(vanishing), 0);
  // The walk cannot go on from a window that is gone; the next tick finds the rest.
  Tick();
  EXPECT_EQ(desktop.CloseRequests(later), 1);
}

}  // namespace
}  // namespace quellix::engine
