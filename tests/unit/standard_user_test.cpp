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
           {"0", "0"}, {"1", "1"}, {"2", "1"}, {"7", "1"}, {"wavint", "1"}, {"wavext", "<absent>"}})
    EXPECT_EQ(world.UserOption(name), value) << name;  // a missing "wavext" is not chosen
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

// What an administrator stored machine-wide, for the tests below: every value the options
// page and the picker read.
void StoreMachineWideChoices(World& world) {
  for (const char* name : {"1", "2", "3", "5", "6", "7"}) world.SetOption(name, "1");
  world.SetOption("4", "0");
  world.SetOption("chromium", "1");
  world.SetOption("wavfile", "C:\\Sounds\\machine.wav");
  world.SetOption("wavint", "0");
  world.SetOption("wavext", "1");
  world.SetOption("refresh", "1");
  world.SetOption("stdt", "1/2/2003");
  world.SetOption("cnt", "7");
}

TEST_F(StandardUserTest, LoadingAndSaveAndReloadLeaveTheUsersKeyEmptySoMachineChangesStillReachIt) {
  StoreMachineWideChoices(world);
  Start();
  OpenOptions();
  for (int i : {0, 1, 2, 3, 5, 6, 7}) EXPECT_EQ(ui.Value(Switch(i)), 1) << i;
  EXPECT_EQ(ui.Value(main->Options().ChromiumSwitch()), 1);
  EXPECT_EQ(ui.Text(main->Options().SoundPath()), "C:\\Sounds\\machine.wav");
  main->Run(tray::MainCommand::kSaveAndReload);  // save and reload, as Apply's callers run it
  main->Run(tray::MainCommand::kShowOptions);
  ui.Click(C("drawnButton4"));
  EXPECT_EQ(ui.Value(main->Picker().AutoRefresh()), 1);
  ui.Click(main->Picker().CancelButton());
  EXPECT_EQ(world.sim.registry.Writes(platform::RegistryRoot::kCurrentUser), std::vector<std::string>{});
  EXPECT_EQ(world.sim.registry.GetKey(platform::RegistryRoot::kCurrentUser, settings::kProductKey), nullptr);

  // The administrator turns logging off machine-wide: the page and the burning follow.
  world.SetOption("7", "0");
  OpenOptions();
  EXPECT_EQ(ui.Value(Switch(7)), 0);
  ui.Click(C("drawnButton8"));  // "OK": back to the tray
  PopUp("MozillaWindowClass", "Cheap Offers - Mozilla");
  Tick();
  EXPECT_EQ(world.Log(), "");
  EXPECT_EQ(world.UserOption("cnt"), "8");  // the burn itself is counted for the user
  // A box the user changes is stored for them alone, and only that value.
  OpenOptions();
  const auto before = world.sim.registry.Writes(platform::RegistryRoot::kCurrentUser).size();
  ui.Click(Switch(3));
  const auto writes = world.sim.registry.Writes(platform::RegistryRoot::kCurrentUser);
  EXPECT_EQ(std::vector<std::string>(writes.begin() + static_cast<std::ptrdiff_t>(before), writes.end()),
            std::vector<std::string>{"software\\kelvane\\popup\\option\\3"});
  EXPECT_EQ(world.UserOption("3"), "0");
}

TEST_F(StandardUserTest, AMachineWideAutoStartWritesOnlyRunValuesThatDoNotHoldThisProgram) {
  StoreMachineWideChoices(world);
  world.SetOption("4", "1");
  const std::string quoted = "\"" + world.app_folder + "\\quellix.exe\"";
  world.sim.registry.PutString(settings::kRunRoot, settings::kRunKeyNt, settings::kAutoStartValue, quoted);
  Start();
  OpenOptions();
  EXPECT_EQ(ui.Value(Switch(4)), 1);
  main->Run(tray::MainCommand::kSaveAndReload);
  // The older Run key did not start this program yet; the other did already.
  EXPECT_EQ(world.sim.registry.Writes(platform::RegistryRoot::kCurrentUser),
            std::vector<std::string>{"software\\microsoft\\windows\\currentversion\\run\\kelvane quellix"});
  const auto windows_run =
      world.sim.registry.Get(settings::kRunRoot, settings::kRunKeyWindows, settings::kAutoStartValue);
  ASSERT_TRUE(windows_run);
  EXPECT_EQ(windows_run->bytes, quoted);
  EXPECT_EQ(world.UserOption("4"), "<absent>");
}

TEST_F(StandardUserTest, UserValuesOfAnotherTypeLetTheMachineValuesRule) {
  StoreMachineWideChoices(world);
  using platform::RegistryRoot;
  namespace regtype = platform::regtype;
  auto put_user = [&](const char* name, std::uint32_t type, std::string bytes) {
    world.sim.registry.Put(RegistryRoot::kCurrentUser, settings::kProductKey, name, type, std::move(bytes));
  };
  put_user("0", regtype::kBinary, std::string(1, '\0'));
  put_user("1", regtype::kQword, std::string(8, '\0'));
  put_user("7", regtype::kExpandString, "0");
  put_user("2", regtype::kMultiString, std::string("0\0\0", 3));
  put_user("wavfile", regtype::kExpandString, "%SystemRoot%\\Media\\ding.wav");
  Start();
  OpenOptions();
  for (int i : {0, 1, 2, 7}) EXPECT_EQ(ui.Value(Switch(i)), 1) << i;
  EXPECT_EQ(ui.Text(main->Options().SoundPath()), "C:\\Sounds\\machine.wav");
  main->Run(tray::MainCommand::kSaveAndReload);
  EXPECT_EQ(world.sim.registry.Writes(RegistryRoot::kCurrentUser), std::vector<std::string>{});
  ui.Click(C("drawnButton8"));
  const auto ie = PopUp("IEFrame", "Cheap Offers - Microsoft Internet Explorer");
  const auto mozilla = PopUp("MozillaWindowClass", "Cheap Offers - Mozilla");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(ie), 1);
  EXPECT_EQ(world.sim.desktop.CloseRequests(mozilla), 1);
  EXPECT_EQ(world.Log().size(), 300u);
  ASSERT_FALSE(world.sim.sound.played.empty());
  EXPECT_EQ(world.sim.sound.played.back(), "C:\\Sounds\\machine.wav");
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
