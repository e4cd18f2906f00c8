// Chromium frames burn only while young, and never for a blank entry: a burn closes the whole
// browser window, so the user's own windows, open longer or since before the first tick,
// stay whatever page their tabs show.
#include <gtest/gtest.h>

#include "engine/burn_cycle.h"
#include "engine/young_frames.h"
#include "test_world.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;

constexpr std::uint32_t kShownFrame = sim::kOverlappedWindowStyle | kVisibleStyle;
constexpr std::uint32_t kChrome = 100, kEdge = 200;

class ChromiumYoungFramesTest : public ::testing::Test {
 protected:
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;

  void SetUp() override {
    world.SetOption("chromium", "1");
    world.SetOption("7", "1");
    world.state.block_entries.Assign({"offers"}, world.sim.code_page);
    desktop.SetProcessImage(kChrome, "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe");
    desktop.SetProcessImage(kEdge, "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe");
  }
  // A window below a plain top window, so that the walk meets it.
  platform::WindowId Open(std::string class_name, std::string caption, std::uint32_t process = 0) {
    const auto id = desktop.AddWindow(
        sim::SimWindowSpec{std::move(class_name), std::move(caption), kShownFrame, false, process});
    desktop.BringToTop(id);
    desktop.BringToTop(desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  platform::WindowId Chrome(std::string caption) {
    return Open(std::string(kChromiumClass), std::move(caption), kChrome);
  }
  // A tick of the burn timer, `ms` after the one before.
  void Tick(std::uint64_t ms = 3000) {
    world.sim.clock.monotonic_ms += ms;
    BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
    desktop.DeliverCloseRequests();
  }
  void Close(platform::WindowId window) {
    desktop.PostClose(window);
    desktop.DeliverCloseRequests();
  }
};

TEST_F(ChromiumYoungFramesTest, APopUpBurnsWhileYoungEvenWhenItsTitleComesLate) {
  Tick();  // the program's first tick
  const auto popup = Chrome("Cheap offers - Google Chrome");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
  // Named only when its page has loaded: 9 s after the cycle first met it, it still burns.
  const auto slow = Chrome("New Tab - Google Chrome");
  Tick();
  Tick();
  Tick();
  desktop.SetCaption(slow, "Weekly Offers - Google Chrome");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(slow), 1);
  EXPECT_EQ(world.Option("cnt"), "2");
  ASSERT_EQ(world.Log().size(), 300u);
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(150, 30)), "Chromium");
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(200, 100)), "Weekly Offers");
}

TEST_F(ChromiumYoungFramesTest, AFrameMetTenSecondsAgoOrMoreStaysWhenItStartsMatching) {
  Tick();
  const auto own = Chrome("My bank - Google Chrome");
  const auto late = Chrome("about:blank - Google Chrome");
  const auto later = Chrome("about:blank - Google Chrome");
  Tick();  // all three met
  desktop.SetCaption(late, "Cheap offers - Google Chrome");
  Tick(9999);  // 9.999 s: still young
  EXPECT_EQ(desktop.CloseRequests(late), 1);
  desktop.SetCaption(later, "More offers - Google Chrome");
  Tick(1);  // exactly 10 s: old, and never young again
  desktop.SetCaption(own, "Mortgage offers - Google Chrome");
  for (int i = 0; i < 40; ++i) Tick();
  EXPECT_EQ(desktop.CloseRequests(later), 0);
  EXPECT_EQ(desktop.CloseRequests(own), 0);
  EXPECT_TRUE(desktop.Exists(own));
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_EQ(world.Log().size(), 150u);
  // An old frame costs no process look-up: only the young one that burned was asked for.
  EXPECT_EQ(desktop.ImageLookups(kChrome), 1);
}

TEST_F(ChromiumYoungFramesTest, FramesOpenAtTheFirstTickStayAndLaterPopUpsBurn) {
  const auto own = Chrome("Cheap offers - Google Chrome");
  const auto edge = Open(std::string(kChromiumClass), "Offers of the week - Microsoft Edge", kEdge);
  const auto ie = Open("IEFrame", "Cheap offers - Microsoft Internet Explorer");
  world.SetOption("0", "1");
  for (int i = 0; i < 6; ++i) Tick();
  EXPECT_EQ(desktop.CloseRequests(own), 0);
  EXPECT_EQ(desktop.CloseRequests(edge), 0);
  EXPECT_EQ(desktop.CloseRequests(ie), 1);  // the older browsers' frames keep their rules
  const auto popup = Chrome("More offers - Google Chrome");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
  EXPECT_EQ(desktop.CloseRequests(own), 0);
  EXPECT_EQ(world.Option("cnt"), "2");
}

TEST_F(ChromiumYoungFramesTest, WindowsOpenedWhileTheCycleWasNotLookingAreOld) {
  Tick();
  // Burning off for a minute (the tray's toggle, a pause): what opened meanwhile is of an
  // unknown age, and so the user's.
  world.state.burning.TurnOff();
  Tick();
  const auto opened_meanwhile = Chrome("Cheap offers - Google Chrome");
  for (int i = 0; i < 20; ++i) Tick();
  world.state.burning.TurnOn();
  Tick();
  Tick();
  EXPECT_EQ(desktop.CloseRequests(opened_meanwhile), 0);
  // Ticks that come close enough keep watching: a pop-up opened in a short gap still burns.
  world.state.burning.TurnOff();
  const auto short_gap = Chrome("Short offers - Google Chrome");
  Tick();
  world.state.burning.TurnOn();
  Tick();
  EXPECT_EQ(desktop.CloseRequests(short_gap), 1);
  // The main window open for a while: no ticks at all, then the first one back in the tray.
  const auto while_open = Chrome("Offers while the window was open - Google Chrome");
  Tick(60000);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(while_open), 0);
  EXPECT_EQ(world.Option("cnt"), "1");
}

TEST_F(ChromiumYoungFramesTest, TurningTheSwitchOnFindsTheUsersWindowsAlreadyOld) {
  world.SetOption("chromium", "0");
  Tick();
  const auto own = Chrome("My bank - Google Chrome");
  for (int i = 0; i < 5; ++i) Tick();
  desktop.SetCaption(own, "Cheap offers - Google Chrome");
  world.SetOption("chromium", "1");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(own), 0);
  const auto popup = Chrome("Cheap offers - Google Chrome");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
}

TEST_F(ChromiumYoungFramesTest, AChromiumFrameFirstInZOrderIsMetAndAgesThere) {
  Tick();
  const auto own = Chrome("My bank - Google Chrome");
  desktop.BringToTop(own);  // the user's window in front: the first window, never burned there
  for (int i = 0; i < 5; ++i) Tick();
  desktop.SetCaption(own, "Cheap offers - Google Chrome");
  desktop.BringToTop(desktop.AddWindow("Shell_TrayWnd", ""));
  Tick();
  EXPECT_EQ(desktop.CloseRequests(own), 0);
}

TEST_F(ChromiumYoungFramesTest, ABlankEntryNeverBurnsAChromiumFrame) {
  world.SetOption("0", "1");
  world.SetOption("1", "1");
  Tick();
  // An empty entry (a trailing comma, a blank line, OK on an empty picker) and one of blanks.
  world.state.block_entries.Assign({"zzz", "", "   "}, world.sim.code_page);
  const auto chrome = Chrome("Weather - Google Chrome");
  const auto spaced = Chrome("a   b - Google Chrome");
  const auto ie = Open("IEFrame", "Weather - Microsoft Internet Explorer");
  const auto moz = Open("MozillaWindowClass", "News - Mozilla Firefox");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(chrome), 0);
  EXPECT_EQ(desktop.CloseRequests(spaced), 0);
  // The older browsers' frames keep their rules: the empty entry is in every title.
  EXPECT_EQ(desktop.CloseRequests(ie), 1);
  EXPECT_EQ(desktop.CloseRequests(moz), 1);
  // A blank entry is contained in a title holding the same blanks.
  world.state.block_entries.Assign({"   "}, world.sim.code_page);
  const auto moz_spaced = Open("MozillaWindowClass", "x   y - Mozilla Firefox");
  const auto moz_plain = Open("MozillaWindowClass", "x y - Mozilla Firefox");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(moz_spaced), 1);
  EXPECT_EQ(desktop.CloseRequests(moz_plain), 0);
  EXPECT_EQ(desktop.CloseRequests(spaced), 0);
  // Beside a blank entry, the entries with words still burn the young frames they match.
  world.state.block_entries.Assign({"", "OFFERS"}, world.sim.code_page);
  const auto popup = Chrome("Cheap offers - Google Chrome");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
  EXPECT_EQ(desktop.CloseRequests(chrome), 0);
  EXPECT_EQ(desktop.CloseRequests(moz_plain), 1);  // the empty entry again
  EXPECT_EQ(world.Option("cnt"), "5");
}

TEST(ChromiumBlankEntries, OnlyEntriesWithWordsCount) {
  World world;
  BlockEntries entries;
  entries.Assign({"", " ", "     ", "Casino"}, world.sim.code_page);
  EXPECT_TRUE(entries.IsBlocked("Best odds"));
  EXPECT_FALSE(entries.IsBlockedByWordedEntry("Best odds"));
  EXPECT_FALSE(entries.IsBlockedByWordedEntry("a      b"));
  EXPECT_TRUE(entries.IsBlockedByWordedEntry("Grand CASINO night"));
  EXPECT_FALSE(entries.IsBlockedByWordedEntry(""));
  entries.Assign({" casino "}, world.sim.code_page);  // blanks around words are part of the entry
  EXPECT_TRUE(entries.IsBlockedByWordedEntry("Grand casino night"));
  EXPECT_FALSE(entries.IsBlockedByWordedEntry("Casino night"));
}

TEST_F(ChromiumYoungFramesTest, WindowsGoneFromTheDesktopAreForgotten) {
  Tick();
  const auto a = Chrome("Weather - Google Chrome");
  const auto b = Chrome("News - Google Chrome");
  const auto bubble = Open(std::string(kChromiumClass), "", kChrome);  // menus and bubbles are met too
  Open("Notepad", "offers.txt - Notepad");
  Tick();
  EXPECT_EQ(world.state.frame_ages.Known(), 3u);
  Close(b);
  Close(bubble);
  Tick();
  EXPECT_EQ(world.state.frame_ages.Known(), 1u);
  // Pop-ups that come and go, burned or closed by the user, leave nothing behind.
  for (int i = 0; i < 200; ++i) {
    Chrome("Cheap offers " + std::to_string(i) + " - Google Chrome");
    const auto other = Chrome("Page " + std::to_string(i) + " - Google Chrome");
    Tick();
    Close(other);
  }
  Tick();
  EXPECT_EQ(world.state.frame_ages.Known(), 1u);
  EXPECT_EQ(world.Option("cnt"), "200");
  EXPECT_TRUE(desktop.Exists(a));
}

TEST(FrameAges, AWindowAWalkMissedIsKeptWhileItIsThere) {
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;
  const auto a = desktop.AddWindow({std::string(kChromiumClass), "A", kShownFrame, false, kChrome});
  const auto b = desktop.AddWindow({std::string(kChromiumClass), "B", kShownFrame, false, kChrome});
  FrameAges ages;
  EXPECT_FALSE(ages.MayBurn(a, 1000));  // nothing looked yet: a window is of unknown age
  ages.StartWalk(1000);
  ages.EndWalk(desktop);
  ages.StartWalk(4000);
  ages.Meet(a);
  ages.Meet(b);
  ages.EndWalk(desktop);
  ages.StartWalk(7000);
  ages.Meet(a);  // b is missed while the z-order changes
  ages.EndWalk(desktop);
  EXPECT_EQ(ages.Known(), 2u);
  EXPECT_TRUE(ages.MayBurn(b, 13999));
  EXPECT_FALSE(ages.MayBurn(b, 14000));
  desktop.PostClose(b);
  desktop.DeliverCloseRequests();
  ages.StartWalk(10000);
  ages.Meet(a);
  ages.EndWalk(desktop);
  EXPECT_EQ(ages.Known(), 1u);
  // A window not met yet is judged as the next walk would meet it: young while the cycle
  // keeps looking, old once it has stopped for longer than a frame stays young.
  const auto c = desktop.AddWindow({std::string(kChromiumClass), "C", kShownFrame, false, kChrome});
  EXPECT_TRUE(ages.MayBurn(c, 13000));
  EXPECT_FALSE(ages.MayBurn(c, 20001));
  // A clock that went back is no reason to burn.
  EXPECT_FALSE(ages.MayBurn(a, 3000));
}

}  // namespace
}  // namespace quellix::engine
