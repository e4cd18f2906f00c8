// The program's buttons as the user-interface host makes them: every button the program
// describes is a drawn button with its stored look, its clicks reach the form through the
// model, and it reports its state as a push button does.
#include <gtest/gtest.h>

#include "controls/hosted_button.h"
#include "controls/product_buttons.h"
#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using controls::kLeftButton;
using controls::kStateDown;
using controls::kStateUp;
using controls::PushButtonState;
using quellix::testing::World;

class DrawnButtonHostTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override {
    world.sim.files.Put(list_path, "offers\r\ncasino\r\n");
    Start();
    ui.TrayNotify(Host(), 0x203);  // the main window opens
  }
  sim::SimDrawnButton& Drawn(platform::UiId id) {
    sim::SimDrawnButton* drawn = ui.Drawn(id);
    if (drawn == nullptr) throw std::runtime_error("not a drawn button");
    return *drawn;
  }
  // The model behind a drawn button's window.
  static controls::DrawnButton& Model(sim::SimDrawnButton& drawn) {
    return dynamic_cast<controls::HostedButton&>(*drawn.control).Button();
  }
  bool OptionsPageShown() { return ui.Visible(C("Frame1")); }
};

TEST_F(DrawnButtonHostTest, EveryDescribedButtonOfEveryWindowIsDrawnWithItsStoredLook) {
  ui.Click(C("drawnButton13"));  // the information window, Form4
  ui.Click(C("drawnButton4"));   // the picker, Form2
  ui.ItemClick(C("view1"), 1);
  ui.DoubleClick(C("view1"));  // the edit dialog, Form3
  ui.Click(C("drawnButton30"));  // the rules page
  ui.Click(main->RulesPage().Bar().add);  // its Add: the rule dialog, Form5
  ASSERT_TRUE(main->Info().Loaded());
  ASSERT_TRUE(main->Picker().Loaded());
  ASSERT_TRUE(main->BlockList().Editor().Loaded());
  ASSERT_TRUE(main->RulesPage().Dialog().Loaded());

  int type9 = 0, type8 = 0;
  for (const controls::StoredControl& stored : controls::ProductButtons()) {
    SCOPED_TRACE(stored.form + "." + stored.name);
    const platform::UiId id = ui.Find(stored.form, stored.name);
    ASSERT_NE(id, 0u) << "no window makes this button";
    ASSERT_NE(ui.Drawn(id), nullptr);
    const controls::DrawnButton& button = Model(Drawn(id));
    const controls::PropertyBag& p = stored.properties;
    EXPECT_EQ(button.ButtonType(), p.ReadInt("BTYPE", 0));
    EXPECT_EQ(button.ColorScheme(), 2);
    EXPECT_EQ(button.BackColor(), static_cast<platform::OleColor>(p.ReadInt("BCOL", 0)));
    EXPECT_EQ(button.ForeOver(), static_cast<platform::OleColor>(p.ReadInt("FCOLO", 0)));
    EXPECT_EQ(button.SoftBevel(), p.ReadBool("SOFT", false));
    EXPECT_EQ(button.CheckBoxBehaviour(), p.ReadBool("CHECK", false));
    EXPECT_EQ(button.ShowFocusRect(), p.ReadBool("FOCUSR", true));
    EXPECT_EQ(button.Font().name, "Arial");
    EXPECT_FALSE(button.PictureNormal().Empty());
    // The caption is the one the form gives, and the window's text.
    EXPECT_EQ(button.Caption(), ui.Text(id));
    EXPECT_EQ(p.Find("TX"), nullptr);  // the store leaves the caption to the form
    EXPECT_EQ(p.Find("ENAB"), nullptr);
    type9 += button.ButtonType() == 9;
    type8 += button.ButtonType() == 8;
  }
  EXPECT_EQ(type8, 1);
  EXPECT_GE(type9, 27);
  // The browser information tool's push button stays a standard one.
  EXPECT_EQ(ui.Drawn(C("Command1")), nullptr);
}

TEST_F(DrawnButtonHostTest, AClickSpaceAndTheAccessKeyEachReachTheFormThroughTheModel) {
  sim::SimDrawnButton& options = Drawn(C("drawnButton2"));
  ASSERT_FALSE(OptionsPageShown());
  ui.Click(C("drawnButton2"));
  EXPECT_TRUE(OptionsPageShown());

  ui.Click(C("drawnButton1"));  // back to the caption page
  ASSERT_FALSE(OptionsPageShown());
  Model(options).OnKeyDown(controls::kKeySpace, 0);
  EXPECT_FALSE(OptionsPageShown());  // the action runs on the release
  Model(options).OnKeyUp(controls::kKeySpace, 0);
  EXPECT_TRUE(OptionsPageShown());

  ui.Click(C("drawnButton1"));
  Model(options).OnAccessKey();
  EXPECT_TRUE(OptionsPageShown());
}

TEST_F(DrawnButtonHostTest, APressDraggedOffAndReleasedOutsideRunsNothing) {
  sim::SimDrawnButton& options = Drawn(C("drawnButton2"));
  options.window.cursor_over = true;
  Model(options).OnMouseDown(kLeftButton, 0, 5, 5);
  options.window.cursor_over = false;
  Model(options).OnMouseMove(kLeftButton, 0, -20, 5);
  Model(options).OnMouseUp(kLeftButton, 0, -20, 5);  // the window system reports no click
  EXPECT_FALSE(OptionsPageShown());
  EXPECT_EQ(Model(options).LastDrawnState(), kStateUp);
}

TEST_F(DrawnButtonHostTest, PageButtonsAreTwoStateAndReadCheckedWhileOn) {
  const platform::UiId about = C("drawnButton14");  // Server List: a page button with no dialog
  sim::SimDrawnButton& server = Drawn(about);
  EXPECT_EQ(ui.Value(about), 0);
  ui.Click(about);
  EXPECT_EQ(ui.Value(about), 1);
  EXPECT_EQ(server.control->State(), (PushButtonState{false, true, false, false}));
  EXPECT_EQ(Model(server).LastDrawnState(), kStateDown);  // stays down while on
  ui.Click(about);
  EXPECT_EQ(ui.Value(about), 0);
  EXPECT_EQ(Model(server).LastDrawnState(), kStateUp);
  // A command button is a plain push button: never checked.
  ui.Click(C("drawnButton9"));
  EXPECT_EQ(ui.Value(C("drawnButton9")), 0);
}

TEST_F(DrawnButtonHostTest, StateReadsPushedWhileHeldFocusedAndHot) {
  sim::SimDrawnButton& apply = Drawn(C("drawnButton9"));
  apply.window.cursor_over = true;
  Model(apply).OnMouseMove(0, 0, 3, 3);
  Model(apply).OnFocus(true);
  EXPECT_EQ(apply.control->State(), (PushButtonState{false, false, true, true}));
  Model(apply).OnMouseDown(kLeftButton, 0, 3, 3);
  EXPECT_TRUE(apply.control->State().pushed);
  Model(apply).OnMouseUp(kLeftButton, 0, 3, 3);
  EXPECT_FALSE(apply.control->State().pushed);
  Model(apply).OnKeyDown(controls::kKeySpace, 0);
  EXPECT_TRUE(apply.control->State().pushed);
}

TEST_F(DrawnButtonHostTest, EditAndRemoveStartDisabledAndFollowTheFirstItemClick) {
  for (const char* name : {"drawnButton5", "drawnButton6"}) {
    sim::SimDrawnButton& button = Drawn(C(name));
    EXPECT_FALSE(Model(button).Enabled()) << name;
    EXPECT_FALSE(button.window.enabled) << name;
  }
  ui.ItemClick(C("view1"), 1);
  for (const char* name : {"drawnButton5", "drawnButton6"}) {
    EXPECT_TRUE(Model(Drawn(C(name))).Enabled()) << name;
    EXPECT_TRUE(Drawn(C(name)).window.enabled) << name;
  }
}

TEST_F(DrawnButtonHostTest, AHoveredPageButtonShowsItsHoverFillAndOutline) {
  sim::SimDrawnButton& options = Drawn(C("drawnButton2"));
  const sim::SimCanvas& canvas = options.canvas;
  const auto [w, h] = options.window.client;
  ASSERT_EQ(w, 120);  // 1800 x 420 twips
  ASSERT_EQ(h, 28);
  EXPECT_EQ(canvas.Shown(0, 0), 0xE6BA9Du);  // flat: the face to the corner
  options.window.cursor_over = true;
  Model(options).OnMouseMove(0, 0, 4, 4);
  // Scheme 2 with a soft bevel: the outline is the face darkened by 64, the fill the face.
  EXPECT_EQ(canvas.Shown(0, 0), 0xA67A5Du);
  EXPECT_EQ(canvas.Shown(w - 1, h / 2), 0xA67A5Du);
  EXPECT_EQ(canvas.Shown(2, 2), 0xE6BA9Du);
  options.window.cursor_over = false;
  options.window.Advance(controls::kOverTimerMs);
  EXPECT_EQ(canvas.Shown(0, 0), 0xE6BA9Du);
}

TEST_F(DrawnButtonHostTest, SettingTheTextOfADrawnButtonChangesItsCaptionAndAccessKey) {
  sim::SimDrawnButton& apply = Drawn(C("drawnButton9"));
  ui.SetText(C("drawnButton9"), "&Apply");
  EXPECT_EQ(Model(apply).Caption(), "&Apply");
  EXPECT_EQ(apply.window.access_keys, "a");
  EXPECT_EQ(ui.Text(C("drawnButton9")), "&Apply");
}

TEST(PlainCaption, LeavesOutAccessKeyMarksAndReadsDoubledOnesAsOne) {
  EXPECT_EQ(controls::PlainCaption("Save &As"), "Save As");
  EXPECT_EQ(controls::PlainCaption("A&&B"), "A&B");
  EXPECT_EQ(controls::PlainCaption("A&&B&C"), "A&BC");
  EXPECT_EQ(controls::PlainCaption("&"), "");
  EXPECT_EQ(controls::PlainCaption("Ok&"), "Ok");
  EXPECT_EQ(controls::PlainCaption("Server List     "), "Server List     ");
}

}  // namespace
}  // namespace quellix::ui
