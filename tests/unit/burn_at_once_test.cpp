// One window judged the moment it appears: by the burn cycle's rules for every window after
// the first, with every trace of a burn, never for the product's own windows, and once at
// most between two cycles.
#include <gtest/gtest.h>

#include "engine/burn_cycle.h"
#include "engine/young_frames.h"
#include "test_world.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;

constexpr std::uint32_t kShownFrame = sim::kOverlappedWindowStyle | kVisibleStyle;
constexpr std::uint32_t kChrome = 100, kOwnProcess = 7, kBrowser = 8;

class BurnAtOnceTest : public ::testing::Test {
 protected:
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;

  void SetUp() override {
    world.SetOption("0", "1");
    world.SetOption("1", "0");
    world.SetOption("7", "1");
    world.state.block_entries.Assign({"offers"}, world.sim.code_page);
    world.state.sound.play_sound = "1";
    world.state.sound.browse_sound = "1";
    world.state.sound.wave_file = "C:\\burn.wav";
    desktop.SetProcessImage(kChrome, "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe");
  }
  platform::WindowId Open(std::string class_name, std::string caption, std::uint32_t style = kShownFrame,
                          bool ignores_close = false, std::uint32_t process = kBrowser) {
    const auto id = desktop.AddWindow(
        sim::SimWindowSpec{std::move(class_name), std::move(caption), style, ignores_close, process});
    desktop.BringToTop(id);
    return id;
  }
  std::optional<BurnedWindow> Seen(platform::WindowId window) {
    return BurnAtOnce(world.services(), world.state, world.app_folder, kOwnProcess, window).burned;
  }
  // A tick of the burn timer, `ms` after the one before; a plain window stays on top, as
  // the notification area's tooltip does.
  void Tick(std::uint64_t ms = 3000) {
    desktop.BringToTop(desktop.AddWindow("Shell_TrayWnd", ""));
    world.sim.clock.monotonic_ms += ms;
    BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
    desktop.DeliverCloseRequests();
  }
};

TEST_F(BurnAtOnceTest, AListedFrameBurnsAtOnceWithEveryTraceOfALongWayBurn) {
  const auto popup = Open("IEFrame", "Cheap Offers - Microsoft Internet Explorer");
  const auto burned = Seen(popup);
  ASSERT_TRUE(burned.has_value());
  EXPECT_EQ(burned->window, popup);
  EXPECT_EQ(burned->title, "Cheap Offers");
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_EQ(world.sim.sound.played, (std::vector<std::string>{"C:\\burn.wav"}));
  // A full record, as the walk writes after the first window.
  ASSERT_EQ(world.Log().size(), 150u);
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(0, 30)), "Internet Explorer");
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(50, 100)), "Cheap Offers");
}

TEST_F(BurnAtOnceTest, TheCyclesRulesDecideAndOnlyTheSweepKeepsTheFirstWindowRule) {
  const auto mozilla = Open("MozillaWindowClass", "Offers - Mozilla Firefox");          // "1" is off
  const auto other = Open("Notepad", "offers.txt - Notepad");                           // not a browser
  const auto unlisted = Open("IEFrame", "Weather - Microsoft Internet Explorer");       // no entry
  const auto bare = Open("IEFrame", "News - Microsoft Internet Explorer", 0x10000000);  // no max button
  for (auto window : {mozilla, other, unlisted, bare}) EXPECT_FALSE(Seen(window)) << window;
  EXPECT_EQ(world.Option("cnt"), "<absent>");
  EXPECT_TRUE(world.sim.sound.played.empty());
  EXPECT_EQ(world.Log(), "");

  world.SetOption("1", "1");  // a switch changed since is followed at once
  world.SetOption("3", "1");  // "Kill window has no max button"
  EXPECT_TRUE(Seen(mozilla));
  EXPECT_TRUE(Seen(bare));
  EXPECT_FALSE(Seen(other));
  EXPECT_FALSE(Seen(unlisted));
  EXPECT_EQ(world.Option("cnt"), "2");

  // With both browsers off, an Internet Explorer frame first in z-order burns by the
  // sweep's first-window rule, never by an event.
  world.SetOption("0", "0");
  world.SetOption("1", "0");
  const auto first = Open("IEFrame", "Offers - Microsoft Internet Explorer");
  EXPECT_FALSE(Seen(first));
  EXPECT_EQ(desktop.CloseRequests(first), 0);
  world.sim.clock.monotonic_ms += 3000;
  BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
  EXPECT_EQ(desktop.CloseRequests(first), 1);
}

TEST_F(BurnAtOnceTest, NothingBurnsWhileBurningIsOffAndTheProductsOwnWindowsAreNeverJudged) {
  const auto popup = Open("IEFrame", "Cheap Offers - Microsoft Internet Explorer");
  world.state.burning.TurnOff();
  EXPECT_FALSE(Seen(popup));
  world.state.burning.TurnOn();
  const auto own = Open("IEFrame", "Offers - Quellix", kShownFrame, false, kOwnProcess);
  EXPECT_FALSE(Seen(own));
  EXPECT_EQ(desktop.CloseRequests(own), 0);
  EXPECT_FALSE(Seen(0));
  EXPECT_EQ(world.Option("cnt"), "<absent>");
  EXPECT_TRUE(Seen(popup));
}

TEST_F(BurnAtOnceTest, AWindowThatIgnoresCloseBurnsOnceBetweenTwoCycles) {
  const auto stubborn = Open("IEFrame", "Offers 0 - Microsoft Internet Explorer", kShownFrame, true);
  for (int i = 1; i <= 50; ++i) {
    desktop.SetCaption(stubborn, "Offers " + std::to_string(i) + " - Microsoft Internet Explorer");
    Seen(stubborn);
    desktop.DeliverCloseRequests();
  }
  EXPECT_EQ(desktop.CloseRequests(stubborn), 1);
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_EQ(world.Log().size(), 150u);
  // The cycle burns it as any window still open, and forgets the burn at once.
  Tick();
  EXPECT_EQ(world.Option("cnt"), "2");
  EXPECT_TRUE(world.state.burned_at_once.empty());
  for (int i = 0; i < 50; ++i) Seen(stubborn);
  EXPECT_EQ(world.Option("cnt"), "3");
  EXPECT_EQ(desktop.CloseRequests(stubborn), 3);
}

TEST_F(BurnAtOnceTest, ChromiumFramesBurnOnlyWhileYoungAndNeverForABlankEntry) {
  world.SetOption("chromium", "1");
  Tick();  // the program's first tick: what is open now is old
  const auto own_browser =
      Open(std::string(kChromiumClass), "Weather - Google Chrome", kShownFrame, false, kChrome);
  Tick();
  const auto popup =
      Open(std::string(kChromiumClass), "Cheap offers - Google Chrome", kShownFrame, false, kChrome);
  EXPECT_TRUE(Seen(popup));  // new since the last tick: young
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(0, 30)), "Chromium");

  // The user's own window, met ten seconds ago and more, is not burned when a tab in it
  // shows a listed page.
  for (int i = 0; i < 4; ++i) Tick();
  desktop.SetCaption(own_browser, "Cheap offers - Google Chrome");
  EXPECT_FALSE(Seen(own_browser));
  EXPECT_EQ(desktop.CloseRequests(own_browser), 0);

  // An empty entry, contained in every title, burns no Chromium frame; with the switch off
  // none burns.
  world.state.block_entries.Assign({""}, world.sim.code_page);
  const auto blank =
      Open(std::string(kChromiumClass), "Anything - Google Chrome", kShownFrame, false, kChrome);
  EXPECT_FALSE(Seen(blank));
  world.state.block_entries.Assign({"offers"}, world.sim.code_page);
  world.SetOption("chromium", "0");
  const auto off =
      Open(std::string(kChromiumClass), "More offers - Google Chrome", kShownFrame, false, kChrome);
  EXPECT_FALSE(Seen(off));
  world.SetOption("chromium", "1");
  EXPECT_TRUE(Seen(off));
}

}  // namespace
}  // namespace quellix::engine
