// Frames of Chromium-based browsers: burned and listed only when the user turns them on,
// and only when a browser's own process owns them.
#include "engine/young_frames.h"

#include <gtest/gtest.h>

#include "engine/burn_cycle.h"
#include "engine/browser_frames.h"
#include "engine/window_inspection.h"
#include "test_world.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;
using Strings = std::vector<std::string>;

constexpr std::uint32_t kShownFrame = sim::kOverlappedWindowStyle | kVisibleStyle;
constexpr std::uint32_t kChrome = 100, kEdge = 200, kEditor = 300, kBrave = 400;

class ChromiumFramesTest : public ::testing::Test {
 protected:
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;

  void SetUp() override {
    world.state.block_entries.Assign({"offers"}, world.sim.code_page);
    desktop.SetProcessImage(kChrome, "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe");
    desktop.SetProcessImage(kEdge, "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe");
    desktop.SetProcessImage(kEditor, "C:\\Users\\me\\AppData\\Local\\Programs\\Editor\\Code.exe");
    desktop.SetProcessImage(kBrave, "D:\\BRAVE\\BRAVE.EXE");
    // The program's first tick, before the windows of a test open: they are pop-ups, young
    // when the next tick meets them.
    Tick();
  }
  // A window below a plain top window, so that the walk meets it.
  platform::WindowId Open(std::string class_name, std::string caption, std::uint32_t process,
                          std::uint32_t style = kShownFrame, bool ignores_close = false) {
    const auto id = desktop.AddWindow(
        sim::SimWindowSpec{std::move(class_name), std::move(caption), style, ignores_close, process});
    desktop.BringToTop(id);
    desktop.BringToTop(desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  platform::WindowId Chromium(std::string caption, std::uint32_t process, std::uint32_t style = kShownFrame,
                              bool ignores_close = false) {
    return Open(std::string(kChromiumClass), std::move(caption), process, style, ignores_close);
  }
  // A tick of the burn timer, 3 s after the one before.
  void Tick() {
    world.sim.clock.monotonic_ms += 3000;
    BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
    desktop.DeliverCloseRequests();
  }
  std::size_t LogRecords() const { return world.Log().size() / 150; }
  std::string Browser(std::size_t record) const {
    return text::TrimBlanks(world.Log().substr(record * 150, 30));
  }
  std::string Title(std::size_t record) const {
    return text::TrimBlanks(world.Log().substr(record * 150 + 50, 100));
  }
};

TEST_F(ChromiumFramesTest, SwitchOffLeavesTheTickAsItWas) {
  for (const char* off : {"<absent>", "0", "", "yes", "2", "1.5"}) {
    World w;
    w.state.block_entries.Assign({"offers"}, w.sim.code_page);
    w.sim.desktop.SetProcessImage(kChrome, "C:\\chrome.exe");
    if (std::string(off) != "<absent>") w.SetOption("chromium", off);
    w.SetOption("0", "1");
    w.SetOption("1", "1");
    w.SetOption("7", "1");
    for (const char* style : {"3", "5", "6"}) w.SetOption(style, "1");
    const auto chrome = w.sim.desktop.AddWindow(
        {"Chrome_WidgetWin_1", "Cheap Offers - Google Chrome", kShownFrame, false, kChrome});
    const auto bare = w.sim.desktop.AddWindow({"Chrome_WidgetWin_1", "", 0x90000000, false, kChrome});
    const auto ie = w.sim.desktop.AddWindow("IEFrame", "Cheap Offers - Microsoft Internet Explorer");
    const auto moz = w.sim.desktop.AddWindow("MozillaWindowClass", "More offers - Mozilla");
    w.sim.desktop.BringToTop(w.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    BurnCycle(w.services(), w.state, w.app_folder, w.own_window);
    EXPECT_EQ(w.sim.desktop.CloseRequests(chrome), 0) << off;
    EXPECT_EQ(w.sim.desktop.CloseRequests(bare), 0) << off;
    EXPECT_EQ(w.sim.desktop.CloseRequests(ie), 1) << off;
    EXPECT_EQ(w.sim.desktop.CloseRequests(moz), 1) << off;
    EXPECT_EQ(w.Option("cnt"), "2") << off;
    ASSERT_EQ(w.Log().size(), 300u) << off;
    EXPECT_EQ(text::TrimBlanks(w.Log().substr(0, 30)), "Internet Explorer") << off;
    EXPECT_EQ(text::TrimBlanks(w.Log().substr(150, 30)), "Netscape / Mozilla") << off;
    EXPECT_EQ(w.sim.desktop.ImageLookups(kChrome), 0) << off;
  }
}

TEST_F(ChromiumFramesTest, SwitchOffOverOnlyChromiumFramesClosesCountsAndLogsNothing) {
  world.SetOption("7", "1");
  world.state.sound = SoundCopies{"1", "0", "1", "C:\\boom.wav"};
  const auto chrome = Chromium("Cheap Offers - Google Chrome", kChrome);
  const auto edge = Chromium("Cheap Offers - Microsoft Edge", kEdge);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(chrome), 0);
  EXPECT_EQ(desktop.CloseRequests(edge), 0);
  EXPECT_EQ(world.Option("cnt"), "<absent>");
  EXPECT_FALSE(world.sim.files.Exists(world.app_folder + "\\popuplog.txt"));
  EXPECT_TRUE(world.sim.sound.played.empty());
}

TEST_F(ChromiumFramesTest, BrowserFramesAreBurnedCountedSoundedAndLoggedAsChromium) {
  world.SetOption("chromium", "1");
  world.SetOption("7", "1");
  world.state.burn_count = "41";
  world.state.sound = SoundCopies{"1", "0", "1", "C:\\boom.wav"};
  const auto edge = Chromium("Cheap Offers - Work - Microsoft Edge", kEdge);
  const auto chrome = Chromium("Cheap Offers - Google Chrome", kChrome);
  const auto brave = Chromium("Weekly offers - Brave", kBrave);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(chrome), 1);
  EXPECT_EQ(desktop.CloseRequests(edge), 1);
  EXPECT_EQ(desktop.CloseRequests(brave), 1);
  EXPECT_FALSE(desktop.Exists(chrome));
  EXPECT_EQ(world.Option("cnt"), "44");
  EXPECT_EQ(world.sim.sound.played, Strings(3, "C:\\boom.wav"));
  ASSERT_EQ(LogRecords(), 3u);
  // Topmost first: the title cut at the last dash, full records with time and date.
  EXPECT_EQ(world.Log().substr(0, 30), text::Field("Chromium", 30));
  EXPECT_EQ(Title(0), "Weekly offers");
  EXPECT_EQ(Title(1), "Cheap Offers");
  EXPECT_EQ(Title(2), "Cheap Offers");  // Edge's profile goes with its name
  for (std::size_t r = 0; r < 3; ++r) {
    EXPECT_EQ(Browser(r), "Chromium");
    EXPECT_EQ(world.Log().substr(r * 150 + 30, 10), text::Field(world.sim.clock.time, 10));
    EXPECT_EQ(world.Log().substr(r * 150 + 40, 10), text::Field(world.sim.clock.date, 10));
  }
}

TEST_F(ChromiumFramesTest, EveryBrowserProgramCountsWhateverItsCaseAndFolder) {
  world.SetOption("chromium", "1");
  struct Case {
    const char* path;
    bool browser;
  };
  std::uint32_t process = 1000;
  for (Case c : {Case{"C:\\chrome.exe", true}, Case{"C:\\Apps\\MSEDGE.EXE", true}, Case{"brave.exe", true},
                 Case{"C:\\Opera\\opera.exe", true}, Case{"C:\\Vivaldi\\Application\\Vivaldi.exe", true},
                 Case{"C:/unix/style/chrome.exe", true}, Case{"C:\\Code\\code.exe", false},
                 Case{"C:\\chrome.exe\\slack.exe", false}, Case{"C:\\x\\chrome.exe.old", false},
                 Case{"C:\\x\\notchrome.exe", false}, Case{"C:\\x\\chrome", false}, Case{"", false}}) {
    desktop.SetProcessImage(++process, c.path);
    const auto w = Chromium("Cheap Offers - Google Chrome", process);
    Tick();
    EXPECT_EQ(desktop.CloseRequests(w), c.browser ? 1 : 0) << c.path;
    EXPECT_EQ(IsChromiumProgram(c.path), c.browser) << c.path;
  }
  // Odd reports are only compared: a NUL inside, a folder without a file, a very long path.
  EXPECT_FALSE(IsChromiumProgram(std::string("C:\\x\\chrome.exe\0.txt", 20)));
  EXPECT_FALSE(IsChromiumProgram("C:\\x\\"));
  EXPECT_TRUE(IsChromiumProgram(std::string(40000, 'x') + "\\chrome.exe"));
}

TEST_F(ChromiumFramesTest, OtherProgramsOfTheSameClassAreNeverBurned) {
  world.SetOption("chromium", "1");
  world.SetOption("0", "1");
  world.SetOption("1", "1");
  for (const char* style : {"3", "5", "6"}) world.SetOption(style, "1");
  world.state.block_entries.Assign({"zzz", "offers"}, world.sim.code_page);
  const auto editor = Chromium("offers.txt - Editor", kEditor);
  const auto bare_editor = Chromium("offers", kEditor, kVisibleStyle);
  const auto unknown = Chromium("Cheap Offers - Chrome", 0);       // a process the desktop cannot tell
  const auto unreadable = Chromium("Cheap Offers - Chrome", 555);  // a process that may not be asked
  Tick();
  Tick();
  for (auto w : {editor, bare_editor, unknown, unreadable}) EXPECT_EQ(desktop.CloseRequests(w), 0) << w;
  EXPECT_EQ(world.Option("cnt"), "<absent>");
}

TEST_F(ChromiumFramesTest, HiddenFramesAndBareBrowserWindowsStay) {
  world.SetOption("chromium", "1");
  for (const char* style : {"3", "5", "6"}) world.SetOption(style, "1");
  const auto hidden = Chromium("Cheap Offers - Google Chrome", kChrome, sim::kOverlappedWindowStyle);
  // A menu or bubble of the browser: shown, but without title bar or buttons.
  const auto bubble = Chromium("Bookmarks", kChrome, kVisibleStyle | 0x80000000);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(hidden), 0);
  EXPECT_EQ(desktop.CloseRequests(bubble), 0);
  EXPECT_EQ(world.Option("cnt"), "<absent>");
}

TEST_F(ChromiumFramesTest, TheClassNameIsComparedWithCase) {
  world.SetOption("chromium", "1");
  const auto lower = Open("chrome_widgetwin_1", "Cheap Offers - Google Chrome", kChrome);
  const auto other = Open("Chrome_WidgetWin_0", "Cheap Offers - Google Chrome", kChrome);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(lower), 0);
  EXPECT_EQ(desktop.CloseRequests(other), 0);
}

TEST_F(ChromiumFramesTest, TheSupportSwitchesOfTheOlderBrowsersDoNotMatter) {
  for (const char* ie_netscape : {"00", "11", "22", "10"}) {
    World w;
    w.state.block_entries.Assign({"offers"}, w.sim.code_page);
    w.sim.desktop.SetProcessImage(kChrome, "C:\\chrome.exe");
    w.SetOption("chromium", "1");
    w.SetOption("0", std::string(1, ie_netscape[0]));
    w.SetOption("1", std::string(1, ie_netscape[1]));
    BurnCycle(w.services(), w.state, w.app_folder, w.own_window);  // the first tick, before the pop-up
    const auto chrome =
        w.sim.desktop.AddWindow({"Chrome_WidgetWin_1", "Offers - Google Chrome", kShownFrame, false, kChrome});
    w.sim.desktop.BringToTop(w.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    BurnCycle(w.services(), w.state, w.app_folder, w.own_window);
    EXPECT_EQ(w.sim.desktop.CloseRequests(chrome), 1) << ie_netscape;
  }
}

TEST_F(ChromiumFramesTest, AChromiumFrameFirstInZOrderIsLeftAsAMozillaFrameIs) {
  world.SetOption("chromium", "1");
  const auto first = Chromium("Cheap Offers - Google Chrome", kChrome);
  desktop.BringToTop(first);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(first), 0);
}

TEST_F(ChromiumFramesTest, EachProcessIsLookedUpOncePerTickAndAgainTheNextTick) {
  world.SetOption("chromium", "1");
  world.state.block_entries.Assign({"offers", "casino"}, world.sim.code_page);
  for (int i = 0; i < 3; ++i)
    Chromium("Cheap Offers - Google Chrome", kChrome, kShownFrame, /*ignores_close=*/true);
  Chromium("Casino - Microsoft Edge", kEdge, kShownFrame, true);
  // Windows of another program of the same class that end like a browser's.
  Chromium("Casino tips - Google Chrome", kEditor, kShownFrame, true);
  Chromium("Casino news - Google Chrome", kEditor, kShownFrame, true);
  // Titles that match nothing need no look-up at all.
  Chromium("My Bank - Google Chrome", kChrome);
  Chromium("Weather - Brave", kBrave);
  Tick();
  EXPECT_EQ(desktop.ImageLookups(kChrome), 1);
  EXPECT_EQ(desktop.ImageLookups(kEdge), 1);
  EXPECT_EQ(desktop.ImageLookups(kEditor), 1);
  EXPECT_EQ(desktop.ImageLookups(kBrave), 0);
  EXPECT_EQ(world.Option("cnt"), "4");
  // Process ids are reused once a process ends: nothing is kept for the next tick.
  desktop.SetProcessImage(kEditor, "C:\\chrome.exe");
  Tick();
  EXPECT_EQ(desktop.ImageLookups(kChrome), 2);
  EXPECT_EQ(desktop.ImageLookups(kEditor), 2);
  EXPECT_EQ(world.Option("cnt"), "10");
}

TEST_F(ChromiumFramesTest, TheSwitchIsFollowedFromTickToTickWithoutAReadPerTick) {
  world.SetOption("chromium", "1");
  auto reads = [&] {
    const auto& q = world.sim.registry.Queries();
    return std::count(q.begin(), q.end(), "chromium");
  };
  for (int i = 0; i < 4; ++i) Chromium("Weather - Google Chrome", kChrome);
  Tick();
  Tick();
  EXPECT_EQ(reads(), 1);
  // Turned off between two ticks: the next tick follows.
  const auto popup = Chromium("Cheap Offers - Google Chrome", kChrome);
  world.SetOption("chromium", "0");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 0);
  world.SetOption("chromium", "1");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
}

TEST_F(ChromiumFramesTest, AFrameVanishingBeforeItsProcessIsAskedIsSkipped) {
  world.SetOption("chromium", "1");
  const auto later = Chromium("Cheap Offers - Google Chrome", kChrome);
  const auto vanishing = Chromium("Gone offers - Google Chrome", kChrome);
  desktop.VanishAfter(vanishing, 3);  // class, style and title are read; then it is gone
  Tick();
  EXPECT_EQ(desktop.CloseRequests(vanishing), 0);
  EXPECT_EQ(desktop.ImageLookups(kChrome), 0);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(later), 1);
}

// --- Listing the open browser windows ---------------------------------------------------

TEST_F(ChromiumFramesTest, ListingShowsBrowserFramesOnlyWhenAsked) {
  world.OpenOnTop("IEFrame", "Lottery - Microsoft Internet Explorer");
  Chromium("Cheap flights - Google Chrome", kChrome);
  Chromium("Cannot find server - Google Chrome", kChrome);  // the error page, as for every browser
  Chromium("   ", kEdge);
  Chromium("notes.md - Editor", kEditor);
  Chromium("Hidden - Google Chrome", kChrome, sim::kOverlappedWindowStyle);
  Open("MozillaWindowClass", "Casino - Mozilla", 0);
  Chromium("Deals - Microsoft Edge", kEdge);
  const auto first = Chromium("Topmost - Google Chrome", kChrome);
  desktop.BringToTop(first);
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window), (Strings{"Casino", "Lottery"}));
  EXPECT_EQ(desktop.ImageLookups(kChrome) + desktop.ImageLookups(kEdge) + desktop.ImageLookups(kEditor), 0);
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window, /*chromium_frames=*/true),
            (Strings{"Deals", "Casino", "Cheap flights", "Lottery"}));
  // One look-up per process in a listing; none for blank titles, nor for a window whose
  // caption names no browser.
  EXPECT_EQ(desktop.ImageLookups(kChrome), 1);
  EXPECT_EQ(desktop.ImageLookups(kEdge), 1);
  EXPECT_EQ(desktop.ImageLookups(kEditor), 0);
}

}  // namespace
}  // namespace quellix::engine
