#include "engine/browser_frames.h"
#include "engine/window_inspection.h"

#include <gtest/gtest.h>

#include "test_world.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;

class WindowInspectionTest : public ::testing::Test {
 protected:
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;
  std::string TitleOf(std::string caption) {
    return ReadWindowTitle(desktop, desktop.AddWindow("IEFrame", std::move(caption)));
  }
};

TEST_F(WindowInspectionTest, TitleIsCutBeforeTheCharacterPrecedingTheLastDash) {
  EXPECT_EQ(TitleOf("Cheap Offers - Microsoft Internet Explorer"), "Cheap Offers");
  EXPECT_EQ(TitleOf("Win-Win Deals - Mozilla"), "Win-Win Deals");
  EXPECT_EQ(TitleOf("No dash at all"), "No dash at all");
  EXPECT_EQ(TitleOf("-Leading dash only"), "-Leading dash only");
  EXPECT_EQ(TitleOf("a-b"), "");
  EXPECT_EQ(TitleOf("ab-"), "a");
  EXPECT_EQ(TitleOf(""), "");
}

TEST_F(WindowInspectionTest, TitleUsesTheFirst99CharactersOnly) {
  EXPECT_EQ(TitleOf(std::string(150, 'x')), std::string(99, 'x'));
  EXPECT_EQ(TitleOf(std::string(99, 'y')), std::string(99, 'y'));
  // A dash beyond the 99th character is not seen.
  EXPECT_EQ(TitleOf(std::string(99, 'z') + " - Browser"), std::string(99, 'z'));
  EXPECT_EQ(TitleOf(std::string(65535, 'q') + "-"), std::string(99, 'q'));
}

TEST_F(WindowInspectionTest, TitleKeepsCharactersOfAnyScriptAndEndsAtANul) {
  EXPECT_EQ(TitleOf("Caf\xC3\xA9 \xC3\xBF\xE2\x82\xAC \xD0\x96 - IE"), "Caf\xC3\xA9 \xC3\xBF\xE2\x82\xAC \xD0\x96");
  EXPECT_EQ(TitleOf(std::string("Short\0 - hidden part", 20)), "Short");
}

TEST_F(WindowInspectionTest, GoneWindowsReadEmpty) {
  EXPECT_EQ(ReadWindowClass(desktop, 0), "");
  EXPECT_EQ(ReadWindowTitle(desktop, 0), "");
  EXPECT_EQ(ReadWindowClass(desktop, 0xdead), "");
  EXPECT_FALSE(HasTitleBar(desktop, 0xdead));
}

TEST_F(WindowInspectionTest, ClassNameIsReadIntoA100CharacterBuffer) {
  const auto w = desktop.AddWindow(std::string(150, 'C'), "x");
  EXPECT_EQ(ReadWindowClass(desktop, w), std::string(99, 'C'));
}

TEST_F(WindowInspectionTest, BrowserClasses) {
  EXPECT_TRUE(IsIeClass("IEFrame"));
  EXPECT_FALSE(IsIeClass("ieframe"));
  EXPECT_FALSE(IsIeClass("IEFRAME"));
  EXPECT_TRUE(IsMozillaClass("MozillaWindowClass"));
  EXPECT_TRUE(IsMozillaClass("mOZILLAwINDOWcLASS"));
  EXPECT_FALSE(IsMozillaClass("MozillaWindowClass2"));
}

TEST_F(WindowInspectionTest, StyleTestsLookAtOneBitEach) {
  const auto plain = desktop.AddWindow({"IEFrame", "t", 0x00800000 /* WS_BORDER */});
  EXPECT_FALSE(HasTitleBar(desktop, plain));
  EXPECT_FALSE(HasMaxButton(desktop, plain));
  EXPECT_FALSE(HasMinButton(desktop, plain));
  const auto full = desktop.AddWindow({"IEFrame", "t", sim::kOverlappedWindowStyle});
  EXPECT_TRUE(HasTitleBar(desktop, full));
  EXPECT_TRUE(HasMaxButton(desktop, full));
  EXPECT_TRUE(HasMinButton(desktop, full));
  const auto dlgframe_only = desktop.AddWindow({"IEFrame", "t", 0x00400000});
  EXPECT_TRUE(HasTitleBar(desktop, dlgframe_only));
}

TEST_F(WindowInspectionTest, CloseRequestIsPostedNotForced) {
  const auto w = desktop.AddWindow({"IEFrame", "t", sim::kOverlappedWindowStyle, /*ignores_close=*/true});
  CloseWindow(desktop, w);
  desktop.DeliverCloseRequests();
  EXPECT_TRUE(desktop.Exists(w));
  EXPECT_EQ(desktop.CloseRequests(w), 1);
}

TEST_F(WindowInspectionTest, ListsBrowserFramesTopmostFirstWithDuplicates) {
  world.OpenOnTop("Notepad", "Same - IE");
  world.OpenOnTop("MozillaWindowClass", "Moz page - Mozilla");
  world.OpenOnTop("IEFrame", "Same - IE");
  world.OpenOnTop("IEFrame", "Same - IE");
  world.OpenOnTop("Shell_TrayWnd", "");  // first window: tested as IE only
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window),
            (std::vector<std::string>{"Same", "Same", "Moz page"}));
}

TEST_F(WindowInspectionTest, ListingSkipsErrorPagesBlankTitlesAndATopmostMozillaFrame) {
  world.OpenOnTop("IEFrame", "Cannot find server - Microsoft Internet Explorer");
  world.OpenOnTop("IEFrame", "cannot find server - Microsoft Internet Explorer");
  world.OpenOnTop("IEFrame", "");
  world.OpenOnTop("IEFrame", "    - IE");
  world.OpenOnTop("MozillaWindowClass", "Top - Mozilla");
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window), (std::vector<std::string>{"cannot find server"}));
}

TEST_F(WindowInspectionTest, TopmostIeFrameIsListed) {
  world.OpenOnTop("IEFrame", "Top - IE");
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window), (std::vector<std::string>{"Top"}));
}

TEST_F(WindowInspectionTest, ALoopingZOrderListsEachWindowOnce) {
  world.OpenOnTop("IEFrame", "Loop - IE");
  world.OpenOnTop("Shell_TrayWnd", "");
  desktop.LinkBottomToTop();
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window), (std::vector<std::string>{"Loop"}));
}

TEST_F(WindowInspectionTest, AWindowVanishingMidWalkEndsTheWalkQuietly) {
  world.OpenOnTop("IEFrame", "Second - IE");
  const auto first = world.OpenOnTop("IEFrame", "First - IE");
  desktop.VanishAfter(first, 2);  // class and title read, then gone when the walk moves on
  EXPECT_EQ(ListOpenBrowserWindows(desktop, world.own_window), (std::vector<std::string>{"First"}));
}

}  // namespace
}  // namespace quellix::engine
