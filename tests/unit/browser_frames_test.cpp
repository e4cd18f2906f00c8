// Today's browsers: Firefox's em-dash suffix, its pop-ups that open as tabs of the user's own
// window, the Mozilla mail programs, Edge's profile, installed web apps. Nothing burns that
// the user did not list, whatever the browser writes after the page's title.
#include "engine/browser_frames.h"

#include <gtest/gtest.h>

#include "engine/burn_cycle.h"
#include "engine/entry_preview.h"
#include "test_world.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;
using Strings = std::vector<std::string>;

constexpr std::uint32_t kShown = sim::kOverlappedWindowStyle | kVisibleStyle;
constexpr std::uint32_t kFirefox = 10, kThunderbird = 20, kBetterbird = 30, kEdge = 40, kChrome = 50;
// "Microsoft​ Edge" as Edge writes it, with a zero-width space after "Microsoft".
constexpr char kEdgeName[] = "Microsoft\xE2\x80\x8B Edge";

std::string Firefox(std::string page) { return page + " \xE2\x80\x94 Mozilla Firefox"; }

class TodaysBrowsersTest : public ::testing::Test {
 protected:
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;

  void SetUp() override {
    world.SetOption("0", "1");
    world.SetOption("1", "1");
    world.SetOption("chromium", "1");
    world.SetOption("7", "1");
    desktop.SetProcessImage(kFirefox, "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    desktop.SetProcessImage(kThunderbird, "C:\\Program Files\\Mozilla Thunderbird\\thunderbird.exe");
    desktop.SetProcessImage(kBetterbird, "D:\\Mail\\BETTERBIRD.EXE");
    desktop.SetProcessImage(kEdge, "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe");
    desktop.SetProcessImage(kChrome, "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe");
  }
  void List(Strings entries) { world.state.block_entries.Assign(entries, world.sim.code_page); }
  // A window below a plain top window, so that the walk meets it after the first.
  platform::WindowId Open(std::string class_name, std::string caption, std::uint32_t process,
                          std::uint32_t style = kShown) {
    const auto id =
        desktop.AddWindow(sim::SimWindowSpec{std::move(class_name), std::move(caption), style, false, process});
    desktop.BringToTop(id);
    desktop.BringToTop(desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  platform::WindowId Mozilla(std::string caption, std::uint32_t process = kFirefox, std::uint32_t style = kShown) {
    return Open("MozillaWindowClass", std::move(caption), process, style);
  }
  platform::WindowId Chromium(std::string caption, std::uint32_t process) {
    return Open("Chrome_WidgetWin_1", std::move(caption), process);
  }
  // A tick of the burn timer, 3 s after the one before.
  void Tick() {
    world.sim.clock.monotonic_ms += 3000;
    BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
    desktop.DeliverCloseRequests();
  }
  std::string LoggedTitle(std::size_t record) const {
    return text::TrimBlanks(world.Log().substr(record * 150 + 50, 100));
  }
  std::string LoggedBrowser(std::size_t record) const {
    return text::TrimBlanks(world.Log().substr(record * 150, 30));
  }
  EntryPreview Preview(const std::string& entry) {
    return PreviewEntry(world.services(), world.own_window, entry, world.state.frame_ages);
  }
};

TEST_F(TodaysBrowsersTest, FirefoxCaptionsAreCutAtTheirEmDash) {
  FrameReader frames(desktop);
  const auto read = [&](const std::string& caption) {
    return frames.Read(Mozilla(caption), "MozillaWindowClass");
  };
  EXPECT_EQ(read(Firefox("Casino - Free spins")).title, "Casino - Free spins");
  EXPECT_EQ(read(Firefox("Casino - Free spins")).kind, FrameKind::kFirefox);
  EXPECT_EQ(read("Casino \xE2\x80\x94 Mozilla Firefox Private Browsing").title, "Casino");
  EXPECT_EQ(read("Mozilla Firefox").title, "");  // a page without a title
  EXPECT_EQ(read("Mozilla Firefox").kind, FrameKind::kFirefox);
  // The classic form is cut as it always was.
  EXPECT_EQ(read("Casino - Free spins - Mozilla").title, "Casino - Free spins");
  EXPECT_EQ(read("Casino - Free spins - Mozilla").kind, FrameKind::kNetscape);
  EXPECT_EQ(read("Casino \xE2\x80\x94 Free spins - Mozilla").title, "Casino \xE2\x80\x94 Free spins");
  EXPECT_EQ(read("Casino \xE2\x80\x94 Free spins - Mozilla").kind, FrameKind::kNetscape);
  // The suffix of a caption longer than a title still tells the form.
  const auto long_page = read(Firefox(std::string(150, 'x')));
  EXPECT_EQ(long_page.kind, FrameKind::kFirefox);
  EXPECT_EQ(long_page.title, std::string(99, 'x'));
}

TEST_F(TodaysBrowsersTest, TheBrowsersOwnNameNeverBurnsAFirefoxWindow) {
  List({"firefox", "mozilla", "private", "browsing"});
  Tick();  // the program's first tick: the user's own window was open before it
  const auto own = Mozilla(Firefox("My bank"));
  const auto own_private = Mozilla("Mail \xE2\x80\x94 Mozilla Firefox Private Browsing");
  Tick();
  const auto popup = Mozilla(Firefox("Casino - Free spins"));  // young, but its page names none
  const auto blank = Mozilla("Mozilla Firefox");
  for (int i = 0; i < 5; ++i) Tick();
  for (auto w : {own, own_private, popup, blank}) EXPECT_EQ(desktop.CloseRequests(w), 0);
  EXPECT_EQ(world.Option("cnt"), "<absent>");
}

TEST_F(TodaysBrowsersTest, AYoungFirefoxPopUpBurnsByItsPageTitleAndIsLoggedSo) {
  List({"free spins"});
  Tick();
  const auto popup = Mozilla(Firefox("Casino - Free spins"));
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
  ASSERT_EQ(world.Log().size(), 150u);
  EXPECT_EQ(LoggedBrowser(0), "Netscape / Mozilla");
  EXPECT_EQ(LoggedTitle(0), "Casino - Free spins");
}

TEST_F(TodaysBrowsersTest, TheUsersOwnFirefoxWindowStaysWhenATabTakesAListedTitle) {
  // A pop-up without features opens as a tab: the user's own window takes its title.
  List({"casino"});
  Tick();
  const auto own = Mozilla(Firefox("News"));
  Tick();
  for (int i = 0; i < 4; ++i) Tick();  // 12 s: the window is old now
  desktop.SetCaption(own, Firefox("Casino - Free spins"));
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(desktop.CloseRequests(own), 0);
  // The same window in the classic form burns by the old rule, as it always did.
  const auto classic = Mozilla("News - Mozilla");
  Tick();
  for (int i = 0; i < 4; ++i) Tick();
  desktop.SetCaption(classic, "Casino - Mozilla");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(classic), 1);
}

TEST_F(TodaysBrowsersTest, FirefoxFramesAreHeldToEveryYoungFrameRule) {
  List({"", "  "});
  world.SetOption("3", "1");
  world.SetOption("5", "1");
  world.SetOption("6", "1");
  Tick();
  const auto shown = Mozilla(Firefox("Anything"), kFirefox, kVisibleStyle);  // no buttons, no title bar
  const auto hidden = Mozilla(Firefox("Casino"), kFirefox, sim::kOverlappedWindowStyle);
  Tick();
  // Blank entries and the style switches burn no Firefox frame.
  EXPECT_EQ(desktop.CloseRequests(shown), 0);
  List({"casino"});
  Tick();
  EXPECT_EQ(desktop.CloseRequests(hidden), 0);  // young but not shown
  // The classic frame of the same look burns by the blank entry and by the style switches.
  List({""});
  const auto classic = Mozilla("Anything - Mozilla", 0, kVisibleStyle);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(classic), 1);
}

TEST_F(TodaysBrowsersTest, AFirefoxPopUpBurnsTheMomentItAppearsWithInstantOn) {
  List({"free spins"});
  Tick();
  const auto popup = Mozilla(Firefox("Casino - Free spins"));
  const auto burned = BurnAtOnce(world.services(), world.state, world.app_folder, 0, popup).burned;
  ASSERT_TRUE(burned.has_value());
  EXPECT_EQ(burned->title, "Casino - Free spins");
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
}

TEST_F(TodaysBrowsersTest, MailProgramWindowsAreNeverBrowserFrames) {
  List({"inbox", "offer"});
  Tick();
  const auto thunderbird = Mozilla("Inbox - Mozilla Thunderbird", kThunderbird);
  const auto modern = Mozilla("Special offer \xE2\x80\x94 Mozilla Thunderbird", kThunderbird);
  const auto betterbird = Mozilla("Inbox - Betterbird", kBetterbird);
  const auto browser = Mozilla("Inbox - Mozilla", kFirefox);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(thunderbird), 0);
  EXPECT_EQ(desktop.CloseRequests(modern), 0);
  EXPECT_EQ(desktop.CloseRequests(betterbird), 0);
  EXPECT_EQ(desktop.CloseRequests(browser), 1);
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window), Strings{});  // the browser's is gone
  Mozilla(Firefox("Offers"));
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window), Strings{"Offers"});
  EXPECT_EQ(Preview("inbox").open, 1u);
  EXPECT_EQ(Preview("inbox").would_burn, 0u);
}

TEST_F(TodaysBrowsersTest, EdgesProfileIsCutWithItsName) {
  List({"work", "profile"});
  Tick();
  const auto work = Chromium("Cheap Offers - Work - " + std::string(kEdgeName), kEdge);
  const auto profile = Chromium("News - Profile 1 - " + std::string(kEdgeName), kEdge);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(work), 0);
  EXPECT_EQ(desktop.CloseRequests(profile), 0);
  List({"offers"});
  Tick();
  EXPECT_EQ(desktop.CloseRequests(work), 1);
  ASSERT_EQ(world.Log().size(), 150u);
  EXPECT_EQ(LoggedTitle(0), "Cheap Offers");
  EXPECT_EQ(LoggedBrowser(0), "Chromium");
  // Without a profile the page keeps its own dashes.
  EXPECT_EQ(ChromiumTitle("Casino - Free spins - Microsoft Edge"), "Casino");
  EXPECT_EQ(ChromiumTitle("Casino - " + std::string(kEdgeName)), "Casino");
  EXPECT_EQ(ChromiumTitle("Casino - Free spins - Google Chrome"), "Casino - Free spins");
}

TEST_F(TodaysBrowsersTest, AnInstalledWebAppIsNoBrowserFrame) {
  List({"music", "player", "offers"});
  Tick();
  const auto app = Chromium("YouTube Music", kChrome);
  const auto with_dash = Chromium("Spotify - Web Player", kEdge);
  const auto browser = Chromium("Cheap offers - Google Chrome", kChrome);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(app), 0);
  EXPECT_EQ(desktop.CloseRequests(with_dash), 0);
  EXPECT_EQ(desktop.CloseRequests(browser), 1);
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window, true), Strings{});
  EXPECT_EQ(Preview("music").open, 0u);
  // Each browser's own name ends its captions; the comparison ignores case.
  for (const char* caption : {"x - Google Chrome", "x - google chrome beta", "x - Brave", "x - Opera",
                              "x - Vivaldi", "x - Chromium", "x - Microsoft Edge Dev"})
    EXPECT_FALSE(ChromiumNameOf(caption).empty()) << caption;
  for (const char* caption : {"Google Chrome", "x - Chrome", "x-Google Chrome", "x - Google Chrome Helper"})
    EXPECT_TRUE(ChromiumNameOf(caption).empty()) << caption;
}

TEST_F(TodaysBrowsersTest, ThePreviewCountsFirefoxFramesOnlyWhileTheCycleMayBurnThem) {
  Tick();
  // Two pop-ups opened since the last tick: young.
  Mozilla(Firefox("Casino news"));
  Mozilla(Firefox("Casino"));
  EXPECT_EQ(Preview("casino").open, 2u);
  EXPECT_EQ(Preview("casino").would_burn, 2u);
  EXPECT_TRUE(Preview("casino").burns_everything);
  for (int i = 0; i < 5; ++i) Tick();  // 15 s: both old
  EXPECT_EQ(Preview("casino").open, 0u);
  Mozilla("Casino - Mozilla");  // a classic frame counts whatever its age
  EXPECT_EQ(Preview("casino").open, 1u);
  EXPECT_EQ(Preview("firefox").would_burn, 0u);
}

}  // namespace
}  // namespace quellix::engine
