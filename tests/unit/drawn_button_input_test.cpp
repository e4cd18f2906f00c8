// The drawn button's state machine: mouse, timer, keyboard, access keys, focus and resize.

#include <gtest/gtest.h>

#include "controls/access_key.h"
#include "drawn_button_rig.h"

namespace quellix::controls::testing {
namespace {

using Seen = std::vector<std::string>;

class DrawnButtonInputTest : public ::testing::Test {
 protected:
  void SetUp() override { rig.Start(CommandButtonProperties()); }
  ButtonRig rig;
  DrawnButton& button = rig.button;
  sim::SimControlWindow& window = rig.window;
  EventLog& events = rig.events;
};

TEST_F(DrawnButtonInputTest, MouseOverOnceWhileInsideAndMouseOutAtTheNextTickAfterLeaving) {
  rig.Hover();
  window.Advance(30);  // ten ticks with the mouse still over the button
  button.OnMouseMove(0, 0, 10, 10);
  button.OnMouseMove(0, 0, 20, 12);
  EXPECT_EQ(events.seen, (Seen{"MouseMove0", "MouseOver", "MouseMove0", "MouseMove0"}));
  EXPECT_TRUE(button.Hovering());
  ASSERT_TRUE(window.timer_running);
  EXPECT_EQ(window.timer_interval, 3u);

  window.cursor_over = false;
  window.Advance(2);
  EXPECT_EQ(events.Count("MouseOut"), 0);
  window.Advance(1);
  EXPECT_EQ(events.Count("MouseOut"), 1);
  EXPECT_FALSE(button.Hovering());
  EXPECT_FALSE(window.timer_running);  // polling only while over the button
}

TEST_F(DrawnButtonInputTest, HoverDrawsOnlyOnEnteringAndLeaving) {
  const int before = rig.canvas.Frames();
  rig.Hover();
  EXPECT_EQ(rig.canvas.Frames(), before + 1);
  for (int i = 0; i < 5; ++i) button.OnMouseMove(0, 0, static_cast<float>(i), 3);
  EXPECT_EQ(rig.canvas.Frames(), before + 1);  // moves inside cost only the hover test
  rig.Leave();
  EXPECT_EQ(rig.canvas.Frames(), before + 2);
}

TEST_F(DrawnButtonInputTest, ATickQueuedAfterTheTimerStoppedIsNoSecondLeave) {
  rig.Hover();
  rig.Leave();
  button.OnTimer();
  EXPECT_EQ(events.Count("MouseOut"), 1);
}

TEST_F(DrawnButtonInputTest, LeftClickDrawsDownThenUpAndRaisesClick) {
  rig.Hover();
  events.seen.clear();
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  button.OnMouseUp(kLeftButton, 0, 5, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  const int repaints = window.repaints;
  button.OnClick();
  EXPECT_EQ(events.seen, (Seen{"MouseDown1", "MouseUp1", "Click"}));
  EXPECT_EQ(window.repaints, repaints + 1);
}

TEST_F(DrawnButtonInputTest, DraggingOffWithTheLeftButtonDrawsUpAtOnceAndGivesNoClick) {
  rig.Hover();
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  button.OnMouseMove(kLeftButton, 0, 6, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  window.cursor_over = false;
  button.OnMouseMove(kLeftButton, 0, 90, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  // Dragged back on, still held: down again.
  window.cursor_over = true;
  button.OnMouseMove(kLeftButton, 0, 5, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  window.cursor_over = false;
  button.OnMouseMove(kLeftButton, 0, 90, 5);
  button.OnMouseUp(kLeftButton, 0, 90, 5);  // released outside: the window system sends no click
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_EQ(events.Count("Click"), 0);
}

TEST_F(DrawnButtonInputTest, ALeftPressBegunElsewhereNeverPushesTheButtonItIsDraggedAcross) {
  const int frames = rig.canvas.Frames();
  window.cursor_over = true;  // pressed on the form, dragged onto the button
  button.OnMouseMove(kLeftButton, 0, 5, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_FALSE(button.LeftPressed());
  window.cursor_over = false;  // and off it again, where the button hears nothing more
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_EQ(rig.canvas.Frames(), frames);
  EXPECT_FALSE(button.Hovering());
  EXPECT_EQ(events.seen, (Seen{"MouseMove1"}));
  // A press that begins on the button still pushes it when dragged about on it.
  window.cursor_over = true;
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  button.OnMouseMove(kLeftButton, 0, 7, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  EXPECT_TRUE(button.LeftPressed());
}

TEST_F(DrawnButtonInputTest, EveryMouseButtonPressedOnTheButtonKeepsTheMouseUntilItIsReleased) {
  for (const int pressed : {kRightButton, kMiddleButton, kLeftButton}) {
    SCOPED_TRACE(pressed);
    events.seen.clear();
    window.cursor_over = true;
    button.OnMouseDown(pressed, 0, 5, 5);
    EXPECT_TRUE(window.captured);
    // Released off the button: the capture brings the release here.
    window.cursor_over = false;
    button.OnMouseUp(pressed, 0, 90, 5);
    EXPECT_FALSE(window.captured);
    EXPECT_EQ(events.Count("MouseUp" + std::to_string(pressed)), 1);
    EXPECT_EQ(button.LastDrawnState(), kStateUp);  // the middle button's down look ends too
  }
  // Two buttons held: the mouse stays with the button until the last is released.
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  button.OnMouseDown(kRightButton, 0, 5, 5);
  button.OnMouseUp(kRightButton, 0, 5, 5);
  EXPECT_TRUE(window.captured);
  button.OnMouseUp(kLeftButton, 0, 5, 5);
  EXPECT_FALSE(window.captured);
}

TEST_F(DrawnButtonInputTest, LosingTheCaptureWhileHeldDrawsUpAndEndsThePress) {
  window.cursor_over = true;
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  button.OnCaptureLost();  // another window took the mouse
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_FALSE(button.LeftPressed());
  button.OnMouseMove(kLeftButton, 0, 6, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  // Given up by the release itself: nothing to end.
  const int frames = rig.canvas.Frames();
  button.OnKeyDown(kKeySpace, 0);
  button.OnCaptureLost();
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  EXPECT_EQ(rig.canvas.Frames(), frames + 1);
}

TEST_F(DrawnButtonInputTest, MouseDownMoveAndUpAllCarryTheAltBit) {
  window.cursor_over = true;
  window.alt_held = true;
  button.OnMouseDown(kLeftButton, 1, 5, 5);  // with Shift, as the mouse message says
  button.OnMouseMove(kLeftButton, 1, 6, 5);
  button.OnMouseUp(kLeftButton, 1, 6, 5);
  EXPECT_EQ(events.shifts, (std::vector<int>{5, 5, 5}));
  window.alt_held = false;
  events.shifts.clear();
  button.OnMouseDown(kRightButton, 2, 5, 5);
  button.OnMouseUp(kRightButton, 2, 5, 5);
  EXPECT_EQ(events.shifts, (std::vector<int>{2, 2}));
}

TEST_F(DrawnButtonInputTest, RightButtonRaisesItsEventsButNeitherChangesTheLookNorClicks) {
  const int frames = rig.canvas.Frames();
  button.OnMouseDown(kRightButton, 0, 5, 5);
  button.OnMouseMove(kRightButton, 0, 6, 5);
  button.OnMouseUp(kRightButton, 0, 5, 5);
  button.OnClick();
  EXPECT_EQ(events.seen, (Seen{"MouseDown2", "MouseMove2", "MouseUp2"}));
  EXPECT_EQ(rig.canvas.Frames(), frames);
  EXPECT_FALSE(button.Hovering());  // moves with other buttons held skip the hover test
}

TEST_F(DrawnButtonInputTest, MiddleButtonDrawsDownButDoesNotClick) {
  button.OnMouseDown(kMiddleButton, 0, 5, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  button.OnMouseUp(kMiddleButton, 0, 5, 5);
  button.OnClick();
  EXPECT_EQ(events.Count("Click"), 0);
}

TEST_F(DrawnButtonInputTest, ADisabledButtonDisablesItsWindowAndIgnoresClicks) {
  button.SetEnabled(false);
  EXPECT_FALSE(window.enabled);
  button.OnMouseDown(kLeftButton, 0, 1, 1);
  button.OnClick();
  button.OnAccessKey();
  EXPECT_EQ(events.Count("Click"), 0);
  button.SetEnabled(true);
  EXPECT_TRUE(window.enabled);
  button.OnAccessKey();
  EXPECT_EQ(events.Count("Click"), 1);
}

TEST_F(DrawnButtonInputTest, DoubleClickPressesAgainAndCapturesTheMouseWithoutAClick) {
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  button.OnMouseUp(kLeftButton, 0, 5, 5);
  button.OnClick();
  events.seen.clear();
  const int captures = window.captures;
  button.OnDoubleClick();
  EXPECT_EQ(events.seen, (Seen{"MouseDown1"}));
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  EXPECT_EQ(window.captures, captures + 1);
  EXPECT_TRUE(window.captured);
  button.OnMouseUp(kLeftButton, 0, 5, 5);
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_EQ(events.Count("Click"), 0);
}

TEST_F(DrawnButtonInputTest, DoubleClickAfterARightPressDoesNothing) {
  button.OnMouseDown(kRightButton, 0, 5, 5);
  events.seen.clear();
  const int captures = window.captures;
  button.OnDoubleClick();
  EXPECT_TRUE(events.seen.empty());
  EXPECT_EQ(window.captures, captures);
}

TEST_F(DrawnButtonInputTest, SpacePressAndReleaseClickOnce) {
  button.OnKeyDown(kKeySpace, 0);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  button.OnKeyDown(kKeySpace, 0);  // auto-repeat
  button.OnKeyUp(kKeySpace, 0);
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_EQ(events.seen, (Seen{"KeyDown32", "KeyDown32", "KeyUp32", "Click"}));
}

TEST_F(DrawnButtonInputTest, SpaceReleasedAfterAnotherKeyGivesNoClick) {
  button.OnKeyDown(kKeySpace, 0);
  button.OnKeyDown(65, 0);
  button.OnKeyUp(kKeySpace, 0);
  EXPECT_EQ(events.Count("Click"), 0);
  button.OnKeyUp(65, 0);
  EXPECT_EQ(events.Count("Click"), 0);
}

TEST_F(DrawnButtonInputTest, ArrowKeysMoveTheFocusAndCharactersArePassedOn) {
  button.OnKeyDown(kKeyLeft, 0);
  button.OnKeyDown(kKeyUp, 0);
  button.OnKeyDown(kKeyRight, 0);
  button.OnKeyDown(kKeyDown, 0);
  button.OnKeyDown(13, 0);
  EXPECT_EQ(window.focus_moves, (std::vector<bool>{false, false, true, true}));
  button.OnKeyPress('x');
  EXPECT_EQ(events.seen.back(), "KeyPress120");
  EXPECT_EQ(events.Count("Click"), 0);
}

TEST_F(DrawnButtonInputTest, TheAccessKeyClicksAfterARightPressToo) {
  button.OnMouseDown(kRightButton, 0, 5, 5);
  button.OnAccessKey();
  EXPECT_EQ(events.Count("Click"), 1);
}

TEST_F(DrawnButtonInputTest, CheckBoxButtonsToggleAndStayDownWhileChecked) {
  button.SetCheckBoxBehaviour(true);
  rig.Hover();
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  button.OnMouseUp(kLeftButton, 0, 5, 5);
  button.OnClick();
  EXPECT_TRUE(button.Value());
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  rig.Leave();
  EXPECT_EQ(button.LastDrawnState(), kStateDown);  // the mouse is elsewhere, the look stays down
  button.OnKeyDown(kKeySpace, 0);
  button.OnKeyUp(kKeySpace, 0);
  EXPECT_FALSE(button.Value());
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_EQ(events.Count("Click"), 2);
  button.OnAccessKey();
  EXPECT_TRUE(button.Value());
}

TEST_F(DrawnButtonInputTest, ValueDrawsOnlyForCheckBoxButtons) {
  const int frames = rig.canvas.Frames();
  button.SetValue(true);
  EXPECT_EQ(rig.canvas.Frames(), frames);
  button.SetCheckBoxBehaviour(true);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
}

TEST_F(DrawnButtonInputTest, DisableRefreshHoldsEveryDrawUntilRefresh) {
  button.DisableRefresh();
  const int frames = rig.canvas.Frames();
  button.SetCaption("Apply");
  button.SetBackColor(0x00FF00);
  button.SetSoftBevel(false);
  button.OnFocus(true);
  rig.Hover();
  EXPECT_EQ(rig.canvas.Frames(), frames);
  button.Refresh();
  EXPECT_EQ(rig.canvas.Frames(), frames + 1);
  EXPECT_EQ(rig.canvas.Texts().at(0).text, "Apply");
}

TEST_F(DrawnButtonInputTest, HidingStopsDrawingAndShowingDrawsUp) {
  button.Hide();
  const int frames = rig.canvas.Frames();
  button.SetCaption("Later");
  EXPECT_EQ(rig.canvas.Frames(), frames);
  button.Show();
  EXPECT_EQ(rig.canvas.Frames(), frames + 1);
}

TEST_F(DrawnButtonInputTest, UnforcedDrawsHappenOnlyWhenStateOrCaptionChange) {
  button.OnMouseUp(kLeftButton, 0, 1, 1);  // already up
  const int frames = rig.canvas.Frames();
  button.OnMouseUp(kLeftButton, 0, 1, 1);
  EXPECT_EQ(rig.canvas.Frames(), frames);
  button.OnMouseDown(kLeftButton, 0, 1, 1);
  button.OnMouseDown(kLeftButton, 0, 1, 1);
  EXPECT_EQ(rig.canvas.Frames(), frames + 1);
}

TEST_F(DrawnButtonInputTest, FocusRedrawsTheLastState) {
  button.OnMouseDown(kLeftButton, 0, 1, 1);
  const int frames = rig.canvas.Frames();
  button.OnFocus(true);
  EXPECT_TRUE(button.HasFocus());
  EXPECT_EQ(rig.canvas.Frames(), frames + 1);
  EXPECT_EQ(button.LastDrawnState(), kStateDown);
  button.OnFocus(false);
  EXPECT_FALSE(button.HasFocus());
  EXPECT_EQ(rig.canvas.Frames(), frames + 2);
}

TEST_F(DrawnButtonInputTest, AmbientChangesRepaintOnlyButtonsThatFollowTheSystemOrParent) {
  const int frames = rig.canvas.Frames();
  button.OnAmbientChanged();
  EXPECT_EQ(rig.canvas.Frames(), frames);
  button.SetColorScheme(kSchemeSystem);
  window.system_colours[platform::SystemColor::kButtonFace] = 0x123456;
  button.OnAmbientChanged();
  EXPECT_EQ(button.CurrentPalette().face, 0x123456u);
  EXPECT_EQ(rig.At(40, 1), 0x123456u);
}

TEST_F(DrawnButtonInputTest, ASystemColourChangeRepaintsEveryColourThatRefersToOne) {
  // The custom scheme with the button face as its face: the ambient change leaves it, the
  // system colour change does not.
  button.SetBackColor(platform::SystemColorRef(platform::SystemColor::kButtonFace));
  window.system_colours[platform::SystemColor::kButtonFace] = 0x20C040;
  button.OnAmbientChanged();
  EXPECT_EQ(rig.At(40, 1), 0xC8D0D4u);
  button.OnSystemColorsChanged();
  EXPECT_EQ(button.CurrentPalette().face, 0x20C040u);
  EXPECT_EQ(rig.At(40, 1), 0x20C040u);
  // The system scheme takes all its colours from the system.
  button.SetColorScheme(kSchemeSystem);
  window.system_colours[platform::SystemColor::kButtonFace] = 0x404080;
  window.system_colours[platform::SystemColor::kButtonText] = 0x0000FF;
  button.OnSystemColorsChanged();
  EXPECT_EQ(button.CurrentPalette().face, 0x404080u);
  EXPECT_EQ(button.CurrentPalette().text, 0x0000FFu);
  EXPECT_EQ(rig.At(40, 1), 0x404080u);
}

TEST(DrawnButtonAccessKeyTest, DerivedFromTheFirstSingleAmpersand) {
  EXPECT_EQ(AccessKey("Save &As"), "a");
  EXPECT_EQ(AccessKey("&Exit"), "e");
  EXPECT_EQ(AccessKey("A&&B"), "");
  EXPECT_EQ(AccessKey("A&&B&C"), "c");
  EXPECT_EQ(AccessKey("A&&&B"), "b");
  EXPECT_EQ(AccessKey("&"), "");
  EXPECT_EQ(AccessKey("&&"), "");
  EXPECT_EQ(AccessKey("OK&"), "");
  EXPECT_EQ(AccessKey("A&&B&"), "");
  EXPECT_EQ(AccessKey("A&&B&&C"), "");  // the next "&" is doubled too: no key
  EXPECT_EQ(AccessKey("a&&&"), "");
  EXPECT_EQ(AccessKey("Apply"), "");
  EXPECT_EQ(AccessKey(""), "");
  EXPECT_EQ(AccessKey("&\xC3\x84pfel"), "\xC3\x84");      // a whole character of any script: "Ä"
  EXPECT_EQ(AccessKey("&\xF0\x9F\x8E\x81 Gift"), "\xF0\x9F\x8E\x81");
  EXPECT_EQ(AccessKey("&\xC3"), "\xC3");  // a byte of no character is one of its own
}

TEST_F(DrawnButtonInputTest, TheWindowGetsTheAccessKeyOnLoadAndOnEveryCaption) {
  EXPECT_EQ(window.access_keys, "");
  button.SetCaption("Save &As");
  EXPECT_EQ(window.access_keys, "a");
  button.SetCaption("A&&B");
  EXPECT_EQ(window.access_keys, "");
  ButtonRig other;
  other.Start(CommandButtonProperties("E&xit"));
  EXPECT_EQ(other.window.access_keys, "x");
}

TEST(DrawnButtonResizeTest, FocusRectangleInsetsByType) {
  const platform::Size client{80, 24};
  EXPECT_EQ(FocusRectangle(1, client), (Rect{4, 4, 76, 20}));
  EXPECT_EQ(FocusRectangle(6, client), (Rect{4, 4, 76, 20}));
  EXPECT_EQ(FocusRectangle(7, client), (Rect{3, 3, 77, 21}));
  EXPECT_EQ(FocusRectangle(9, client), (Rect{3, 3, 77, 21}));
  EXPECT_EQ(FocusRectangle(13, client), (Rect{3, 3, 77, 21}));
  EXPECT_EQ(FocusRectangle(14, client), (Rect{6, 6, 76, 20}));
}

TEST_F(DrawnButtonInputTest, ResizeReadsTheClientSizeAppliesTheRegionAndDrawsUp) {
  button.OnMouseDown(kLeftButton, 0, 1, 1);
  window.client = {100, 30};
  const int changes = window.region_changes;
  button.OnResize();
  EXPECT_EQ(window.region_changes, changes + 1);
  EXPECT_EQ(window.region.bounds, (Rect{0, 0, 100, 30}));
  EXPECT_EQ(button.FocusRect(), (Rect{3, 3, 97, 27}));
  EXPECT_EQ(button.LastDrawnState(), kStateUp);
  EXPECT_EQ(rig.canvas.ShownImage().width, 100);

  const int frames = rig.canvas.Frames();
  window.client = {100, 0};
  button.OnResize();
  button.SetCaption("Nothing shows");
  button.OnFocus(true);
  EXPECT_EQ(rig.canvas.Frames(), frames);  // a button of height 0 draws nothing
}

TEST(DrawnButtonCaptureTest, Type11CopiesTheParentWithResizingSuspended) {
  ButtonRig rig;
  rig.window.parent = platform::PixelBlock(80, 24, 0x336699);
  rig.window.parent.At(0, 0) = 0x010203;
  int pending = 0;
  rig.window.on_pending_events = [&] {
    ++pending;
    EXPECT_EQ(rig.window.client.height, 0);  // out of the parent's way while it repaints
  };
  PropertyBag stored = CommandButtonProperties("");
  stored.WriteInt("BTYPE", 11);
  rig.Start(stored);
  EXPECT_EQ(pending, 1);
  EXPECT_EQ(rig.window.heights_set, (std::vector<int>{0, 24}));
  EXPECT_EQ(rig.At(0, 0), 0x010203u);
  EXPECT_EQ(rig.At(50, 12), 0x336699u);
  EXPECT_EQ(rig.canvas.ShownImage().height, 24);  // the resizes during the capture changed nothing

  rig.window.parent = platform::PixelBlock(80, 24, 0x00FF00);
  rig.button.Refresh();
  EXPECT_EQ(rig.At(50, 12), 0x00FF00u);
}

}  // namespace
}  // namespace quellix::controls::testing
