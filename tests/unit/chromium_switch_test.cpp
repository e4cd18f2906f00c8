// The switch for Chromium-based browsers on the main window: its check box on the options
// page, and the open-window lists of the picker and the tray menu that follow it.
#include <gtest/gtest.h>

#include "engine/young_frames.h"
#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using quellix::testing::World;
using Strings = std::vector<std::string>;

constexpr std::uint32_t kShownFrame = sim::kOverlappedWindowStyle | engine::kVisibleStyle;
constexpr std::uint32_t kChrome = 100, kEditor = 300;

class ChromiumSwitchTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override {
    world.state.burning.TurnOff();
    world.sim.files.Put(list_path, "offers\r\n");
    world.sim.desktop.SetProcessImage(kChrome, "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe");
    world.sim.desktop.SetProcessImage(kEditor, "C:\\Program Files\\Editor\\code.exe");
  }
  // Below a plain top window, where the walks meet it.
  platform::WindowId Open(std::string class_name, std::string caption, std::uint32_t process) {
    const auto id = world.sim.desktop.AddWindow(
        sim::SimWindowSpec{std::move(class_name), std::move(caption), kShownFrame, false, process});
    world.sim.desktop.BringToTop(id);
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  void OpenBrowsers() {
    Open("IEFrame", "Lottery - Microsoft Internet Explorer", 0);
    Open("Chrome_WidgetWin_1", "Cheap flights - Google Chrome", kChrome);
    Open("Chrome_WidgetWin_1", "flights.txt - Editor", kEditor);
  }
  // The main window on the options page, as a double-click on the icon and a click on
  // "Popup Options" show it.
  void ShowOptions() {
    ui.TrayNotify(main->Control("TrayArea1"), 0x203);
    ui.Click(main->Control("drawnButton2"));
  }
  platform::UiId Box() { return main->Options().ChromiumSwitch(); }
  // Timers and the monotonic clock move together, as they do on the real machine.
  void Advance(std::uint64_t ms) {
    world.sim.clock.monotonic_ms += ms;
    ui.AdvanceTime(ms);
  }
  Strings Shown(platform::UiId list) {
    Strings rows;
    for (std::size_t i = 1; i <= ui.ListCount(list); ++i) rows.push_back(ui.ListText(list, i));
    return rows;
  }
  Strings PickerRows() {
    ui.menu_picks.push_back({"Add New Window Title"});
    ui.TrayNotify(main->Control("TrayArea1"), 0x204);
    auto& picker = main->Picker();
    EXPECT_TRUE(picker.Loaded());
    Strings rows = Shown(picker.OpenList());
    ui.Click(picker.CancelButton());
    return rows;
  }
};

TEST_F(ChromiumSwitchTest, TheCheckBoxStoresEveryChangeAndSaysWhatBurningCloses) {
  Start();
  ShowOptions();
  ASSERT_NE(Box(), 0u);
  EXPECT_EQ(ui.Text(Box()), "Burn Chrome / Edge / Brave / Opera / Vivaldi pop-ups");
  EXPECT_EQ(ui.Get(Box()).kind, platform::ControlKind::kCheckBox);
  const std::string tip = ui.Get(Box()).tooltip;
  EXPECT_NE(tip.find("whole browser window with all its tabs"), std::string::npos);
  // ... and why that leaves the user's own windows alone.
  EXPECT_NE(tip.find("only new pop-up windows are burned, in their first 10 seconds"), std::string::npos);
  EXPECT_NE(tip.find("windows open longer, such as your own, are never closed"), std::string::npos);
  EXPECT_NE(tip.find("an empty entry burns none of them"), std::string::npos);
  EXPECT_EQ(ui.Value(Box()), 0);
  EXPECT_EQ(world.Option("chromium"), "<absent>");  // nothing stored until the user chooses
  ui.Click(Box());
  EXPECT_EQ(world.Option("chromium"), "1");
  ui.Click(Box());
  EXPECT_EQ(world.Option("chromium"), "0");
  // The other switches keep their own values.
  for (int i = 0; i < 8; ++i) EXPECT_EQ(world.Option(std::to_string(i)), "<absent>") << i;
  ui.Click(main->Options().Switch(1));
  EXPECT_EQ(world.Option("1"), "1");
  EXPECT_EQ(world.Option("chromium"), "0");
  EXPECT_EQ(ui.Text(main->Options().Switch(1)), "Support Netscape / Mozilla");
}

TEST_F(ChromiumSwitchTest, AStoredSwitchIsShownAtLoadAndNonNumbersLeaveTheBoxAlone) {
  world.SetOption("chromium", "1");
  Start();
  ShowOptions();
  EXPECT_EQ(ui.Value(Box()), 1);
  main.reset();
  world.SetOption("chromium", "yes");
  Start();
  ShowOptions();
  EXPECT_EQ(ui.Value(Box()), 0);
  EXPECT_EQ(world.Option("chromium"), "yes");
}

TEST_F(ChromiumSwitchTest, TheBoxSitsInTheBrowserGroupAndThePageStaysInItsArea) {
  Start();
  ShowOptions();
  const platform::TwipsRect group = ui.Bounds(ui.Find("Form1", "Frame3"));
  const platform::TwipsRect box = ui.Bounds(Box());
  EXPECT_EQ(ui.Text(ui.Find("Form1", "Frame3")), "Browser");
  EXPECT_GE(box.left, group.left);
  EXPECT_GE(box.top, group.top);
  EXPECT_LE(box.left + box.width, group.left + group.width);
  EXPECT_LE(box.top + box.height, group.top + group.height);
  // Every control of the page lies inside it, the page ends above the OK button, and no two
  // check boxes or frames overlap.
  const platform::UiId page = main->Control("Frame1");
  const platform::TwipsRect area = ui.Bounds(page);
  EXPECT_LT(area.top + area.height, ui.Bounds(main->Control("drawnButton8")).top);
  std::vector<platform::TwipsRect> boxes, frames;
  for (platform::UiId id = 1; id < 5000; ++id) {
    if (!ui.Exists(id) || ui.Get(id).container != page) continue;
    const auto r = ui.Bounds(id);
    EXPECT_GE(r.left, 0) << ui.Get(id).name;
    EXPECT_GE(r.top, 0) << ui.Get(id).name;
    EXPECT_LE(r.left + r.width, area.width) << ui.Get(id).name;
    EXPECT_LE(r.top + r.height, area.height) << ui.Get(id).name;
    if (ui.Get(id).kind == platform::ControlKind::kCheckBox) boxes.push_back(r);
    if (ui.Get(id).kind == platform::ControlKind::kFrame) frames.push_back(r);
  }
  EXPECT_EQ(boxes.size(), 10u);
  EXPECT_EQ(frames.size(), 5u);
  auto overlap = [](const platform::TwipsRect& a, const platform::TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
  };
  for (const auto* set : {&boxes, &frames})
    for (std::size_t i = 0; i < set->size(); ++i)
      for (std::size_t j = i + 1; j < set->size(); ++j)
        EXPECT_FALSE(overlap((*set)[i], (*set)[j])) << i << " " << j;
}

TEST_F(ChromiumSwitchTest, PickerAndSubmenuListBrowserFramesOnlyWithTheSwitchOn) {
  OpenBrowsers();
  Start();
  EXPECT_EQ(main->Menu().OpenWindowCaptions(), Strings{"Lottery"});
  EXPECT_EQ(PickerRows(), Strings{"Lottery"});
  main.reset();
  world.SetOption("chromium", "1");
  Start();
  EXPECT_EQ(main->Menu().OpenWindowCaptions(), (Strings{"Cheap flights", "Lottery"}));
  EXPECT_EQ(PickerRows(), (Strings{"Cheap flights", "Lottery"}));
}

TEST_F(ChromiumSwitchTest, TurnedOnInThePageTheNextTickInTheTrayBurnsAFreshBrowserPopUpOnly) {
  world.SetOption("7", "1");
  // The user's own browser window, open before Quellix starts: never burned.
  const auto own = Open("Chrome_WidgetWin_1", "Cheap offers of my bank - Google Chrome", kChrome);
  Start();
  Advance(3000);  // the first tick
  const auto chrome = Open("Chrome_WidgetWin_1", "Cheap offers - Google Chrome", kChrome);
  const auto editor = Open("Chrome_WidgetWin_1", "offers.txt - Editor", kEditor);
  Advance(3000);
  EXPECT_EQ(world.sim.desktop.CloseRequests(chrome), 0);
  ShowOptions();
  ui.Click(Box());
  ui.Click(main->Control("drawnButton8"));  // "OK": back to the tray
  Advance(3000);
  EXPECT_EQ(world.sim.desktop.CloseRequests(chrome), 1);
  EXPECT_EQ(world.sim.desktop.CloseRequests(editor), 0);
  EXPECT_EQ(world.sim.desktop.CloseRequests(own), 0);
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_EQ(world.Log().substr(0, 8), "Chromium");
}

TEST_F(ChromiumSwitchTest, ThePickersPreviewCountsTheChromiumFramesTheCycleMayBurn) {
  world.SetOption("chromium", "1");
  world.SetOption("0", "1");
  Open("Chrome_WidgetWin_1", "Cheap flights - Google Chrome", kChrome);  // the user's, open before the start
  Open("IEFrame", "Flights - Microsoft Internet Explorer", 0);
  Open("IEFrame", "Weather - Microsoft Internet Explorer", 0);
  Start();
  Advance(3000);
  Open("Chrome_WidgetWin_1", "Flights deals - Google Chrome", kChrome);  // a pop-up, young
  Open("Chrome_WidgetWin_1", "flights.txt - Editor", kEditor);
  Advance(3000);
  ui.menu_picks.push_back({"Add New Window Title"});
  ui.TrayNotify(main->Control("TrayArea1"), 0x204);
  auto& picker = main->Picker();
  ASSERT_TRUE(picker.Loaded());
  const auto label = picker.Preview().Label();
  ui.Type(picker.TextField(), "flights");
  EXPECT_EQ(ui.Text(label), "Would burn 2 of the 3 browser windows open now");
  // Ten seconds on, the pop-up is old as well: only the older browser's frame is left.
  world.sim.clock.monotonic_ms += 10000;
  ui.Type(picker.TextField(), "flights ");
  ui.Type(picker.TextField(), "flights");
  EXPECT_EQ(ui.Text(label), "Would burn 1 of the 2 browser windows open now");
  // Every Chromium frame keeps its title in the list, so the user can still pick one.
  EXPECT_EQ(Shown(picker.OpenList()), (Strings{"Flights deals", "Weather", "Flights", "Cheap flights"}));
}

}  // namespace
}  // namespace quellix::ui
