// The behaviour the product relies on from its user-interface host, checked against the
// simulated host natively and against the Win32 host under Wine: the same case, the same
// outcome, so a test passing on the simulation says what the real program does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/ui_under_test.h"

namespace quellix::contract {
namespace {

using platform::ControlKind;
using platform::UiId;
using platform::WindowState;

struct Recorded : platform::UiEvents {
  std::vector<std::string> events;
  void OnClick(UiId c) override { events.push_back("click " + std::to_string(c)); }
  void OnTextEdited(UiId c) override { events.push_back("edited " + std::to_string(c)); }
  void OnSelectionChanged(UiId c, std::size_t row) override {
    events.push_back("selected " + std::to_string(c) + " " + std::to_string(row));
  }
  void OnWindowStateChanged(UiId f) override { events.push_back("state " + std::to_string(f)); }
  void OnCloseRequest(UiId f) override { events.push_back("close " + std::to_string(f)); }
  void OnTimer(UiId t) override { events.push_back("timer " + std::to_string(t)); }
  std::size_t Count(const std::string& event) const {
    return static_cast<std::size_t>(std::count(events.begin(), events.end(), event));
  }
};

class UiContract : public ::testing::Test {
 protected:
  std::unique_ptr<UiUnderTest> host = MakeUiUnderTest();
  platform::Ui& ui = host->Ui();
  Recorded seen;
  UiId form = ui.CreateForm({"Form1", "Quellix", 6000, 4000}, seen);
  void TearDown() override { ui.DestroyForm(form); }
  UiId Add(ControlKind kind, const std::string& name, const std::string& caption, UiId container = 0,
           platform::TwipsRect rect = {120, 120, 2400, 360}) {
    platform::ControlSpec spec{kind, name, caption, rect};
    spec.container = container;
    return ui.CreateControl(form, spec);
  }
  static std::string Id(UiId id) { return std::to_string(id); }
  // Shows the form and forgets what showing it told.
  void Show() {
    ui.SetVisible(form, true);
    seen.events.clear();
  }
};

const std::string kScripts[] = {"Quellix", "\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9 iPhone",
                                "\xE5\x85\x8D\xE8\xB4\xB9\xE6\x8A\xBD\xE5\xA5\x96", "Gift ideas \xF0\x9F\x8E\x84"};

TEST_F(UiContract, TextsOfEveryScriptReadBackAsTheyWereSetAndSettingThemTellsNothing) {
  const UiId label = Add(ControlKind::kLabel, "Label1", "x");
  const UiId field = Add(ControlKind::kTextField, "Text1", "x", 0, {120, 600, 2400, 315});
  const UiId box = Add(ControlKind::kCheckBox, "Check1", "x", 0, {120, 1000, 2400, 300});
  for (const std::string& text : kScripts) {
    for (UiId c : {label, field, box}) {
      ui.SetText(c, text);
      EXPECT_EQ(ui.Text(c), text) << c;
    }
  }
  EXPECT_TRUE(seen.events.empty());
}

TEST_F(UiContract, TypingIntoAFieldIsToldAndLeavesWhatWasTyped) {
  const UiId field = Add(ControlKind::kTextField, "Text1", "old", 0, {120, 600, 2400, 315});
  ui.SetVisible(form, true);
  host->UserType(field, kScripts[1]);
  EXPECT_EQ(ui.Text(field), kScripts[1]);
  EXPECT_GE(seen.Count("edited " + Id(field)), 1u);
}

TEST_F(UiContract, HidingAFrameHidesItsControlsAndShowingItShowsEveryOne) {
  const UiId frame = Add(ControlKind::kFrame, "Frame1", "", 0, {0, 0, 5000, 3000});
  const UiId shown = Add(ControlKind::kLabel, "Label1", "shown", frame);
  const UiId hidden = Add(ControlKind::kLabel, "Label2", "hidden", frame, {120, 600, 2400, 360});
  ui.SetVisible(form, true);
  ui.SetVisible(hidden, false);
  EXPECT_TRUE(ui.Visible(shown));
  EXPECT_FALSE(ui.Visible(hidden));
  ui.SetVisible(frame, false);
  EXPECT_FALSE(ui.Visible(frame));
  EXPECT_FALSE(ui.Visible(shown));
  EXPECT_FALSE(ui.Visible(hidden));
  // A page that is shown shows whatever it holds.
  ui.SetVisible(frame, true);
  EXPECT_TRUE(ui.Visible(shown));
  EXPECT_TRUE(ui.Visible(hidden));
}

TEST_F(UiContract, AClickOnACheckBoxTurnsItAndIsToldButSettingItIsNot) {
  const UiId box = Add(ControlKind::kCheckBox, "Check1", "Enable Logging");
  const UiId button = Add(ControlKind::kButton, "Command1", "get IE URLS", 0, {120, 800, 1800, 420});
  Show();
  ui.SetValue(box, 1);
  EXPECT_EQ(ui.Value(box), 1);
  EXPECT_TRUE(seen.events.empty());
  host->UserClick(box);
  EXPECT_EQ(ui.Value(box), 0);
  EXPECT_EQ(seen.Count("click " + Id(box)), 1u);
  host->UserClick(button);
  EXPECT_EQ(seen.Count("click " + Id(button)), 1u);
  // A disabled control takes no click.
  ui.SetEnabled(button, false);
  host->UserClick(button);
  EXPECT_EQ(seen.Count("click " + Id(button)), 1u);
}

TEST_F(UiContract, ListRowsAreKeptAndOnlyTheUsersHighlightIsTold) {
  platform::ControlSpec spec{ControlKind::kListView, "view1", "", {120, 120, 5000, 3000}};
  spec.columns = {"Window Title", "Burned"};
  const UiId list = ui.CreateControl(form, spec);
  Show();
  for (const std::string& text : kScripts) ui.ListAdd(list, {text, "1"}, "");
  ASSERT_EQ(ui.ListCount(list), 4u);
  EXPECT_EQ(ui.ListText(list, 2), kScripts[1]);
  ui.ListSetText(list, 1, "changed");
  EXPECT_EQ(ui.ListText(list, 1), "changed");
  ui.ListRemove(list, 2);
  EXPECT_EQ(ui.ListCount(list), 3u);
  EXPECT_EQ(ui.ListText(list, 2), kScripts[2]);
  ui.ListRemove(list, 9);  // no such row: nothing changes
  EXPECT_EQ(ui.ListCount(list), 3u);
  ui.ListSelect(list, 3);
  EXPECT_TRUE(seen.events.empty());  // the program's own selection
  host->UserHighlightRow(list, 2);
  EXPECT_EQ(seen.Count("selected " + Id(list) + " 2"), 1u);
  ui.ListClear(list);
  EXPECT_EQ(ui.ListCount(list), 0u);
}

TEST_F(UiContract, AFormTellsItsStateWhenFirstShownAndNotAgain) {
  ui.SetVisible(form, true);  // the window system sizes it: its state is told
  EXPECT_EQ(seen.Count("state " + Id(form)), 1u);
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kNormal);
  ui.SetVisible(form, false);
  ui.SetVisible(form, true);
  ui.SetVisible(form, true);
  EXPECT_EQ(seen.Count("state " + Id(form)), 1u);
}

TEST_F(UiContract, EveryChangeOfTheWindowStateIsToldWhoeverMadeIt) {
  Show();
  ui.SetWindowState(form, WindowState::kMinimized);
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kMinimized);
  EXPECT_EQ(seen.Count("state " + Id(form)), 1u);
  ui.SetWindowState(form, WindowState::kNormal);
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kNormal);
  EXPECT_EQ(seen.Count("state " + Id(form)), 2u);
  host->UserMinimize(form);
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kMinimized);
  EXPECT_EQ(seen.Count("state " + Id(form)), 3u);
}

TEST_F(UiContract, AHiddenFormTakesItsStateAtOnceAndTellsIt) {
  ui.SetWindowState(form, WindowState::kMinimized);  // the start-up sequence, never shown
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kMinimized);
  EXPECT_EQ(seen.Count("state " + Id(form)), 1u);
  EXPECT_FALSE(ui.Visible(form));
}

TEST_F(UiContract, TheCloseBoxAsksTheFormWhichStaysUntilItGoes) {
  ui.SetVisible(form, true);
  host->UserClose(form);
  EXPECT_EQ(seen.Count("close " + Id(form)), 1u);
  EXPECT_TRUE(ui.Visible(form));
}

TEST_F(UiContract, ATimerTicksUntilItIsDestroyed) {
  const UiId timer = ui.CreateTimer(form, 50);
  host->Wait(400);
  const std::size_t ticks = seen.Count("timer " + Id(timer));
  EXPECT_GE(ticks, 2u);
  ui.DestroyTimer(timer);
  host->Wait(200);
  EXPECT_EQ(seen.Count("timer " + Id(timer)), ticks);
}

}  // namespace
}  // namespace quellix::contract
