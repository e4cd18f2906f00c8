// The program run by an account that cannot write the machine-wide settings key: every
// writer keeps its value in the per-user key, and every reader finds it there.
#include <gtest/gtest.h>

#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "settings/settings_table.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using quellix::testing::World;

class StandardUserTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override {
    world.sim.files.Put(list_path, "offers\r\n");
    // An administrator turned on Internet Explorer support machine-wide.
    world.SetOption("0", "1");
    world.RefuseMachineWrites();
  }
  platform::UiId Switch(int i) { return main->Options().Switch(i); }
  // Double-click on the icon, then "Popup Options".
  void OpenOptions() {
    ui.TrayNotify(C("TrayArea1"), 0x203);
    ui.Click(C("drawnButton2"));
  }
  platform::WindowId PopUp(std::string class_name, std::string caption) {
    const auto id = world.OpenOnTop(std::move(class_name), std::move(caption));
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  void Tick() {
    ui.AdvanceTime(3000);
    world.sim.desktop.DeliverCloseRequests();
  }
};

TEST_F(StandardUserTest, StartDateAndCounterAreKeptPerUserAndSurviveARestart) {
  Start();
  EXPECT_EQ(world.UserOption("stdt"), world.sim.clock.date);
  EXPECT_EQ(world.Option("stdt"), "<absent>");
  const auto first = PopUp("IEFrame", "Cheap Offers - Microsoft Internet Explorer");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(first), 1);
  EXPECT_EQ(world.UserOption("cnt"), "1");
  PopUp("IEFrame", "More offers - Microsoft Internet Explorer");
  Tick();
  EXPECT_EQ(world.UserOption("cnt"), "2");
  ui.TrayNotify(C("TrayArea1"), 0x200);
  EXPECT_EQ(main->Tray().ToolTip(), "Quellix > 2 < Popups Burned");

  // The next start keeps the date and counts on from the stored count.
  world.sim.clock.date = "1/2/2027";
  Start();
  EXPECT_EQ(world.UserOption("stdt"), "12/7/2026");
  EXPECT_EQ(world.state.burn_count, "2");
  OpenOptions();
  EXPECT_EQ(ui.Text(ui.Find("Form1", "Label3", 1)), "12/7/2026");
  EXPECT_EQ(ui.Text(ui.Find("Form1", "Label3", 3)), "2");
}

TEST_F(StandardUserTest, OptionsPageChangesAreKeptPerUserAndRuleTheBurning) {
  Start();
  OpenOptions();
  EXPECT_EQ(ui.Value(Switch(0)), 1);  // the machine-wide choice shows
  ui.Click(Switch(0));                // and the user turns it off for themselves
  ui.Click(Switch(1));
  ui.Click(Switch(7));
  ui.Click(Switch(2));
  ui.Click(ui.Find("Form1", "Option1", 0));  // "Internal Sound"
  ui.Click(C("drawnButton9"));               // "Apply"
  for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
           {"0", "0"}, {"1", "1"}, {"2", "1"}, {"7", "1"}, {"wavint", "1"}, {"wavext", "0"}})
    EXPECT_EQ(world.UserOption(name), value) << name;
  EXPECT_EQ(world.UserOption("wavfile"), world.app_folder + "\\wav\\7.wav");
  EXPECT_EQ(world.Option("0"), "1");  // the machine-wide value is untouched
  EXPECT_EQ(world.Option("7"), "<absent>");

  ui.Click(C("drawnButton8"));  // "OK": back to the tray, the sound copies reread
  const auto ie = PopUp("IEFrame", "Cheap Offers - Microsoft Internet Explorer");
  const auto mozilla = PopUp("MozillaWindowClass", "Cheap Offers - Mozilla");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(ie), 0);
  EXPECT_EQ(world.sim.desktop.CloseRequests(mozilla), 1);
  EXPECT_EQ(world.Log().size(), 150u);
  EXPECT_EQ(world.sim.sound.played, std::vector<std::string>{world.app_folder + "\\wav\\7.wav"});

  // The page shows the user's choices when it opens again.
  OpenOptions();
  EXPECT_EQ(ui.Value(Switch(0)), 0);
  EXPECT_EQ(ui.Value(Switch(1)), 1);
  EXPECT_EQ(ui.Value(Switch(7)), 1);
  EXPECT_EQ(ui.Value(ui.Find("Form1", "Option1", 0)), 1);
}

TEST_F(StandardUserTest, AutoStartWritesTheRunValuesAndItsSwitchPerUser) {
  Start();
  OpenOptions();
  ui.Click(Switch(4));
  EXPECT_EQ(world.UserOption("4"), "1");
  const std::string quoted = "\"" + world.app_folder + "\\quellix.exe\"";
  for (std::string_view key : {settings::kRunKeyNt, settings::kRunKeyWindows}) {
    auto v = world.sim.registry.Get(settings::kRunRoot, key, settings::kAutoStartValue);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->bytes, quoted);
  }
}

TEST_F(StandardUserTest, AutoRefreshIsKeptPerUser) {
  Start();
  ui.TrayNotify(C("TrayArea1"), 0x203);
  ui.Click(C("drawnButton4"));
  ui.Click(main->Picker().AutoRefresh());
  EXPECT_EQ(world.UserOption("refresh"), "1");
  EXPECT_EQ(world.Option("refresh"), "<absent>");
  ui.Click(main->Picker().CancelButton());
  ui.Click(C("drawnButton4"));
  EXPECT_EQ(ui.Value(main->Picker().AutoRefresh()), 1);
  ui.Click(main->Picker().AutoRefresh());
  EXPECT_EQ(world.UserOption("refresh"), "0");
}

}  // namespace
}  // namespace quellix::ui
