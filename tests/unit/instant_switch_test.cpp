// The switch "instant" in tray mode: its check box on the options page, the watch for new
// windows that follows it, and burns the moment a listed pop-up appears, with every trace a
// tick's burn leaves, and only while the tick itself would burn.
#include <gtest/gtest.h>

#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "text/text.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

class InstantSwitchTest : public quellix::testing::MainWindowRig {
 protected:
  sim::SimDesktop& desktop = world.sim.desktop;

  void SetUp() override {
    world.state.burning.TurnOff();
    world.sim.files.Put(list_path, "casino\r\noffers\r\n");
    world.SetOption("0", "1");
    world.SetOption("1", "1");
    world.SetOption("7", "1");
    world.SetOption("2", "1");
    world.SetOption("wavext", "1");
    world.SetOption("wavfile", "C:\\burn.wav");
  }
  // A pop-up another program opens now, above every other window.
  platform::WindowId PopUp(std::string caption, bool ignores_close = false) {
    return world.OpenOnTop("IEFrame", std::move(caption), sim::kOverlappedWindowStyle, ignores_close);
  }
  // The system tells of the windows made and renamed since, and they take their messages.
  void Events() {
    desktop.DeliverWindowEvents();
    desktop.DeliverCloseRequests();
  }
  void Tick() {
    world.sim.clock.monotonic_ms += 3000;
    ui.AdvanceTime(3000);
    desktop.DeliverCloseRequests();
  }
  void Choose(std::vector<std::string> path) {
    ui.menu_picks.push_back(std::move(path));
    ui.TrayNotify(Host(), 0x204);
  }
  void ShowOptions() {
    ui.TrayNotify(Host(), 0x203);
    ui.Click(C("drawnButton2"));
  }
  platform::UiId Box() { return main->Options().InstantSwitch(); }
};

TEST_F(InstantSwitchTest, AListedPopUpBurnsTheMomentItAppearsWithEveryTraceOfABurn) {
  world.SetOption("instant", "1");
  world.sim.clock.date = "12/8/2026";
  world.sim.clock.time = "2:02:11 PM";
  world.sim.clock.clock_time = "14:02:11";
  Start();
  EXPECT_EQ(desktop.Watches(), 1u);
  const auto popup = PopUp("Cheap Offers - Microsoft Internet Explorer");
  const auto other = PopUp("Weather - Microsoft Internet Explorer");
  Events();
  EXPECT_FALSE(desktop.Exists(popup));
  EXPECT_EQ(desktop.CloseRequests(other), 0);
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_EQ(world.sim.sound.played, (std::vector<std::string>{"C:\\burn.wav"}));
  ASSERT_EQ(world.Log().size(), 150u);
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(50, 100)), "Cheap Offers");
  EXPECT_EQ(world.sim.files.Get(hits_path), "Quellix burn figures 1\r\n1\t12/8/2026 2:02:11 PM\toffers\r\n");
  ASSERT_EQ(world.state.history.Recent().size(), 1u);
  EXPECT_EQ(world.state.history.Recent()[0].title, "Cheap Offers");
  EXPECT_EQ(world.state.history.Recent()[0].entry, "offers");
  ui.TrayNotify(Host(), 0x204);
  bool listed = false;
  for (const auto& item : ui.menus_shown.back())
    if (item.caption == "Recently burned")
      for (const auto& burn : item.submenu) listed |= burn.caption == "14:02:11  Cheap Offers";
  EXPECT_TRUE(listed);
  // The next tick finds nothing more to burn.
  Tick();
  EXPECT_EQ(world.Option("cnt"), "1");
}

TEST_F(InstantSwitchTest, WithTheSwitchOffAPopUpWaitsForTheTick) {
  Start();
  EXPECT_EQ(desktop.Watches(), 0u);
  const auto popup = PopUp("Cheap Offers - Microsoft Internet Explorer");
  Events();
  EXPECT_EQ(desktop.CloseRequests(popup), 0);
  EXPECT_EQ(world.Option("cnt"), "<absent>");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);
  EXPECT_EQ(world.Option("cnt"), "1");
}

TEST_F(InstantSwitchTest, NothingBurnsFromAnEventWhileBurningIsOff) {
  world.SetOption("instant", "1");
  Start();
  const auto burns_now = [&](const std::string& caption) {
    const auto popup = PopUp(caption + " offers - Microsoft Internet Explorer");
    Events();
    return desktop.CloseRequests(popup) > 0;
  };
  Choose({"Disable (Turn Off) Popups burn  "});
  EXPECT_FALSE(burns_now("Toggled"));
  Choose({"Enable (Turn On) Popups Burn"});
  EXPECT_TRUE(burns_now("On again"));

  Choose({"Pause for 15 minutes"});
  EXPECT_FALSE(burns_now("Paused"));
  world.sim.clock.monotonic_ms += 15 * 60 * 1000;
  EXPECT_TRUE(burns_now("Pause over"));  // the pause ends with the first event after it
  EXPECT_EQ(world.state.burning.Value(), 1);

  Choose({"Info"});
  EXPECT_FALSE(burns_now("Information"));
  ui.CloseByUser(main->Info().Form());
  EXPECT_TRUE(burns_now("Information closed"));

  ui.TrayNotify(Host(), 0x203);  // the main window is shown
  EXPECT_EQ(desktop.Watches(), 0u);
  EXPECT_FALSE(burns_now("Main window"));
  ui.Click(C("drawnButton8"));  // OK: back to the tray
  EXPECT_EQ(desktop.Watches(), 1u);
  EXPECT_TRUE(burns_now("Tray again"));
  EXPECT_EQ(world.Option("cnt"), "4");
}

TEST_F(InstantSwitchTest, AWindowThatIgnoresCloseAndKeepsRenamingItselfIsCountedOnceBetweenTicks) {
  world.SetOption("instant", "1");
  Start();
  const auto stubborn = PopUp("Offers 0 - Microsoft Internet Explorer", /*ignores_close=*/true);
  for (int i = 1; i <= 50; ++i) {
    desktop.SetCaption(stubborn, "Offers " + std::to_string(i) + " - Microsoft Internet Explorer");
    Events();
  }
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_EQ(desktop.CloseRequests(stubborn), 1);
  EXPECT_EQ(world.Log().size(), 150u);
  EXPECT_EQ(world.state.history.Recent().size(), 1u);
  Tick();  // the tick burns it as any window still open, and ends the interval
  EXPECT_EQ(world.Option("cnt"), "2");
  for (int i = 1; i <= 50; ++i) {
    desktop.SetCaption(stubborn, "Offers again " + std::to_string(i) + " - Microsoft Internet Explorer");
    Events();
  }
  EXPECT_EQ(world.Option("cnt"), "3");
  EXPECT_TRUE(ui.balloons.empty());  // only consecutive ticks tell of a window that does not close
}

TEST_F(InstantSwitchTest, TheWatchFollowsTheSwitchAndGoesWithTheProgram) {
  Start();
  EXPECT_EQ(desktop.Watches(), 0u);
  world.SetOption("instant", "1");
  Tick();
  EXPECT_EQ(desktop.Watches(), 1u);
  Tick();
  Tick();
  EXPECT_EQ(desktop.Watches(), 1u);  // set once
  world.SetOption("instant", "0");
  Tick();
  EXPECT_EQ(desktop.Watches(), 0u);
  world.SetOption("instant", "1");
  Tick();
  EXPECT_EQ(desktop.Watches(), 1u);
  main.reset();
  EXPECT_EQ(desktop.Watches(), 0u);
}

TEST_F(InstantSwitchTest, TheCheckBoxStoresEveryChangeAndTheTrayFollowsIt) {
  Start();
  ShowOptions();
  ASSERT_NE(Box(), 0u);
  EXPECT_EQ(ui.Text(Box()), "Burn pop-ups the moment they appear");
  EXPECT_EQ(ui.Get(Box()).kind, platform::ControlKind::kCheckBox);
  const std::string tip = ui.Get(Box()).tooltip;
  EXPECT_NE(tip.find("closed as soon as it opens or changes its title"), std::string::npos);
  EXPECT_NE(tip.find("every 3 seconds still runs"), std::string::npos);
  EXPECT_EQ(ui.Value(Box()), 0);
  EXPECT_EQ(world.Option("instant"), "<absent>");
  ui.Click(Box());
  EXPECT_EQ(world.Option("instant"), "1");
  ui.Click(C("drawnButton8"));  // OK: back to the tray, watching
  EXPECT_EQ(desktop.Watches(), 1u);
  const auto popup = PopUp("Cheap Offers - Microsoft Internet Explorer");
  Events();
  EXPECT_EQ(desktop.CloseRequests(popup), 1);

  ShowOptions();
  EXPECT_EQ(ui.Value(Box()), 1);
  ui.Click(Box());
  EXPECT_EQ(world.Option("instant"), "0");
  ui.Click(C("drawnButton8"));
  EXPECT_EQ(desktop.Watches(), 0u);
  // The box sits in the "General" group.
  const platform::TwipsRect group = ui.Bounds(ui.Find("Form1", "Frame6"));
  const platform::TwipsRect box = ui.Bounds(Box());
  EXPECT_EQ(ui.Text(ui.Find("Form1", "Frame6")), "General");
  EXPECT_GE(box.top, group.top);
  EXPECT_LE(box.top + box.height, group.top + group.height);
}

TEST_F(InstantSwitchTest, AStoredSwitchIsShownAtLoadAndAStandardUserKeepsHisOwn) {
  world.SetOption("instant", "1");
  world.RefuseMachineWrites();
  Start();
  ShowOptions();
  EXPECT_EQ(ui.Value(Box()), 1);
  EXPECT_EQ(world.UserOption("instant"), "<absent>");  // loading stores nothing
  ui.Click(Box());
  EXPECT_EQ(world.UserOption("instant"), "0");
  EXPECT_EQ(world.Option("instant"), "1");
  main.reset();
  Start();
  ShowOptions();
  EXPECT_EQ(ui.Value(Box()), 0);
}

}  // namespace
}  // namespace quellix::ui
