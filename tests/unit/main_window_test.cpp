#include "ui/main_window.h"

#include <gtest/gtest.h>

#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"

namespace quellix::ui {
namespace {

using platform::NotifyAction;
using quellix::testing::World;

class MainWindowTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override {
    world.state.burning.TurnOff();
    world.sim.files.Put(list_path, "offers\r\n");
    world.SetOption("0", "1");
    world.SetOption("1", "1");
  }
  std::size_t Adds() const {
    return std::count_if(ui.notify_calls.begin(), ui.notify_calls.end(),
                         [](const auto& c) { return c.first == NotifyAction::kAdd; });
  }
  // A blocked pop-up opened by a browser below the top window.
  platform::WindowId PopUp(std::string caption = "Cheap Offers - Microsoft Internet Explorer") {
    const auto id = world.OpenOnTop("IEFrame", std::move(caption));
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  void Tick() {
    ui.AdvanceTime(3000);
    world.sim.desktop.DeliverCloseRequests();
  }
  std::string ToolTip() { return main->Tray().ToolTip(); }
};

TEST_F(MainWindowTest, StartsHiddenInTheTrayAndBurnsEveryThreeSeconds) {
  Start();
  EXPECT_EQ(world.state.burning.Value(), 1);
  EXPECT_TRUE(ui.Get(main->Form()).centered);
  EXPECT_FALSE(ui.Visible(main->Form()));
  EXPECT_EQ(world.state.block_entries.Entries(), std::vector<std::string>{"offers"});
  EXPECT_EQ(ui.ListCount(C("view1")), 1u);
  EXPECT_EQ(Adds(), 1u);
  EXPECT_TRUE(main->Tray().Visible());
  EXPECT_TRUE(main->Menu().Loaded());
  EXPECT_EQ(world.Option("stdt"), "12/7/2026");
  const auto popup = PopUp();
  ui.AdvanceTime(2999);
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 0);
  ui.AdvanceTime(1);
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 1);
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_FALSE(shell.ended);
}

TEST_F(MainWindowTest, KeepsAStoredStartDate) {
  world.SetOption("stdt", "1/1/2020");
  Start();
  EXPECT_EQ(world.Option("stdt"), "1/1/2020");
  world.SetOption("stdt", "   ");
  Start();
  EXPECT_EQ(world.Option("stdt"), "12/7/2026");
}

TEST_F(MainWindowTest, ASecondCopySaysSoAndEndsAfterLoadingAndDating) {
  shell.another_copy = true;
  Start();
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(world.sim.messages.shown[0].text, "there is another copy of Quellix already running");
  EXPECT_EQ(world.sim.messages.shown[0].title, "Quellix");
  EXPECT_TRUE(shell.ended);
  EXPECT_EQ(world.Option("stdt"), "12/7/2026");
  EXPECT_EQ(world.state.block_entries.Count(), 1u);
  EXPECT_EQ(Adds(), 0u);
  EXPECT_FALSE(main->Menu().Loaded());
}

TEST_F(MainWindowTest, TooltipShowsTheStoredCountOnEveryHover) {
  Start();
  EXPECT_EQ(ToolTip(), "Quellix");
  ui.TrayNotify(Host(), 0x200);
  EXPECT_EQ(ToolTip(), "Quellix >  < Popups Burned");
  PopUp();
  Tick();
  ui.TrayNotify(Host(), 0x200);
  EXPECT_EQ(ToolTip(), "Quellix > 1 < Popups Burned");
}

TEST_F(MainWindowTest, MenuOpensOnRightButtonDownOnly) {
  Start();
  for (std::uint32_t code : {0x201u, 0x202u, 0x205u, 0x207u, 0x208u}) ui.TrayNotify(Host(), code);
  EXPECT_TRUE(ui.menus_shown.empty());
  ui.TrayNotify(Host(), 0x204);
  ASSERT_EQ(ui.menus_shown.size(), 1u);
  std::vector<std::string> captions;
  for (const auto& item : ui.menus_shown[0]) captions.push_back(item.caption);
  // The classic twelve items, with the pause items and the recent burns after the toggle.
  EXPECT_EQ(captions, (std::vector<std::string>{"Add New Window Title", "Add open Window", "-", "Option",
                                                "Disable (Turn Off) Popups burn  ", "Pause for 15 minutes",
                                                "Pause for 1 hour", "Recently burned", "-", "Help", "Info",
                                                "-", "Test Quellix", "-", "Exit"}));
  EXPECT_EQ(ui.menus_shown[0][9].icon, "info");
  EXPECT_EQ(ui.menus_shown[0][10].icon, "help");
}

TEST_F(MainWindowTest, DoubleClickEntersWindowModeAndStopsBurning) {
  for (std::uint32_t code : {0x203u, 0x206u}) {
    Start();
    ui.TrayNotify(Host(), code);
    EXPECT_TRUE(ui.Visible(main->Form()));
    EXPECT_EQ(ui.GetWindowState(main->Form()), platform::WindowState::kNormal);
    EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kDelete);
    EXPECT_FALSE(main->Tray().Visible());
    EXPECT_FALSE(main->Menu().Loaded());
    EXPECT_EQ(ui.LiveTimers(), 0u);
    EXPECT_TRUE(ui.Visible(C("view1")));
    EXPECT_TRUE(ui.Visible(C("Frame2")));
    const auto popup = PopUp();
    Tick();
    EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 0);
  }
}

TEST_F(MainWindowTest, OkReturnsToTheTrayAndRereadsTheCaches) {
  Start();
  ui.TrayNotify(Host(), 0x203);
  world.SetOption("cnt", "41");
  world.SetOption("2", "1");
  ui.Click(C("drawnButton8"));
  EXPECT_FALSE(ui.Visible(main->Form()));
  EXPECT_TRUE(main->Menu().Loaded());
  EXPECT_EQ(Adds(), 2u);
  EXPECT_EQ(world.state.burn_count, "41");
  EXPECT_EQ(world.state.sound.play_sound, "1");
  PopUp();
  Tick();
  EXPECT_EQ(world.Option("cnt"), "42");
}

TEST_F(MainWindowTest, MinimisingTheWindowGoesToTheTrayOtherResizesDoNothing) {
  Start();
  ui.TrayNotify(Host(), 0x203);
  ui.SetWindowState(main->Form(), platform::WindowState::kNormal);
  EXPECT_TRUE(ui.Visible(main->Form()));
  EXPECT_FALSE(main->Menu().Loaded());
  ui.MinimizeByUser(main->Form());
  EXPECT_FALSE(ui.Visible(main->Form()));
  EXPECT_TRUE(main->Menu().Loaded());
}

TEST_F(MainWindowTest, EachCommandRunsOnceAtOnce) {
  Start();
  ui.TrayNotify(Host(), 0x203);
  main->AppendEntry("casino");
  main->Run(tray::MainCommand::kSaveAndReload);
  EXPECT_EQ(*world.sim.files.Get(list_path), "offers\r\ncasino\r\n");
  EXPECT_EQ(world.state.block_entries.Entries(), (std::vector<std::string>{"offers", "casino"}));
  main->AppendEntry("poker");
  main->Run(tray::MainCommand::kSaveAndReload);  // the same command again runs again
  EXPECT_EQ(world.state.block_entries.Count(), 3u);
  EXPECT_EQ(ui.ListText(C("view1"), 3), "poker");
  EXPECT_EQ(ui.Get(C("view1")).rows[2].second, "a");
  EXPECT_TRUE(ui.Visible(C("view1")));  // ends on the caption page
  main->AppendEntry("unsaved");
  EXPECT_EQ(ui.Text(C("txtdo")), "2");  // the field shows the last command, and is never read
  ui.SetText(C("txtdo"), "2");
  EXPECT_EQ(world.state.block_entries.Count(), 3u);
  EXPECT_FALSE(shell.ended);
  main->Run(tray::MainCommand::kShowOptions);
  EXPECT_TRUE(ui.Visible(C("Frame1")));
  EXPECT_EQ(ui.Bounds(C("Frame1")).left, 2070);
  EXPECT_EQ(ui.Bounds(C("Frame1")).top, 735);  // below the header
  main->Run(tray::MainCommand::kExit);
  EXPECT_TRUE(shell.ended);
}

TEST_F(MainWindowTest, PagesSwitch) {
  Start();
  ui.TrayNotify(Host(), 0x203);
  ui.Click(C("drawnButton14"));
  EXPECT_FALSE(ui.Visible(C("Frame2")));
  EXPECT_TRUE(ui.Visible(C("Frame9")));
  EXPECT_EQ(ui.Bounds(C("Frame9")).left, 2085);
  EXPECT_EQ(ui.Bounds(C("View2")).top, 1365);
  EXPECT_FALSE(ui.Visible(C("view1")));
  ui.Click(C("drawnButton2"));
  EXPECT_TRUE(ui.Visible(C("Frame1")));
  EXPECT_FALSE(ui.Visible(C("View2")));
  ui.Click(C("drawnButton1"));
  EXPECT_FALSE(ui.Visible(C("Frame1")));
  EXPECT_TRUE(ui.Visible(C("view1")));
  EXPECT_TRUE(ui.Visible(C("Frame2")));
}

TEST_F(MainWindowTest, ToggleCaptionsAndTheInformationWindow) {
  Start();
  auto toggle = [&] {
    ui.menu_picks.push_back(
        {main->Menu().Loaded() ? main->Menu().Menu()[4].caption : "Disable (Turn Off) Popups burn  "});
    ui.TrayNotify(Host(), 0x204);
  };
  toggle();
  EXPECT_EQ(world.state.burning.Value(), 0);
  EXPECT_EQ(main->Menu().Menu()[4].caption, "Enable (Turn On) Popups Burn");
  EXPECT_EQ(main->Menu().Menu()[4].icon, "dis");
  const auto popup = PopUp();
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 0);
  // The information window suspends burning and turns it on when it closes.
  ui.menu_picks.push_back({"Info"});
  ui.TrayNotify(Host(), 0x204);
  ASSERT_TRUE(main->Info().Loaded());
  EXPECT_EQ(world.state.burning.Value(), 0);
  ui.CloseByUser(main->Info().Form());
  EXPECT_FALSE(main->Info().Loaded());
  EXPECT_EQ(world.state.burning.Value(), 1);
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 1);
  toggle();  // still offers "Enable": choosing it turns burning off
  EXPECT_EQ(world.state.burning.Value(), 0);
  EXPECT_EQ(main->Menu().Menu()[4].caption, "Enable (Turn On) Popups Burn");
  toggle();
  EXPECT_EQ(world.state.burning.Value(), 1);
  EXPECT_EQ(main->Menu().Menu()[4].caption, "Disable (Turn Off) Popups Burn");
  EXPECT_EQ(main->Menu().Menu()[4].icon, "disable");
  toggle();
  EXPECT_EQ(world.state.burning.Value(), 0);
  // A new load of the menu window shows the first caption, whatever the switch holds.
  ui.TrayNotify(Host(), 0x203);
  ui.Click(C("drawnButton8"));
  EXPECT_EQ(main->Menu().Menu()[4].caption, "Disable (Turn Off) Popups burn  ");
  EXPECT_EQ(world.state.burning.Value(), 0);
}

TEST_F(MainWindowTest, OpenWindowSubmenuAddsATitleAndMakesItActive) {
  world.OpenOnTop("IEFrame", "Casino Royale - Microsoft Internet Explorer");
  world.OpenOnTop("IEFrame", "Casino Royale - Microsoft Internet Explorer");
  Start();
  EXPECT_EQ(main->Menu().OpenWindowCaptions(), (std::vector<std::string>{"Casino Royale", "Casino Royale"}));
  ui.menu_picks.push_back({"Add open Window", "Casino Royale"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_EQ(*world.sim.files.Get(list_path), "offers\r\nCasino Royale\r\n");
  EXPECT_TRUE(world.state.block_entries.IsBlocked("casino royale"));
}

TEST_F(MainWindowTest, EmptySubmenuElementDoesNothing) {
  Start();
  EXPECT_EQ(main->Menu().OpenWindowCaptions(), std::vector<std::string>{""});
  ui.menu_picks.push_back({"Add open Window", ""});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_EQ(*world.sim.files.Get(list_path), "offers\r\n");
}

TEST_F(MainWindowTest, OptionItemOpensTheOptionsPageInWindowMode) {
  Start();
  ui.menu_picks.push_back({"Option"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_TRUE(ui.Visible(main->Form()));
  EXPECT_TRUE(ui.Visible(C("Frame1")));
  EXPECT_FALSE(main->Tray().Visible());
  EXPECT_FALSE(main->Menu().Loaded());
}

// The help viewer is started by its full path in the Windows folder, never by bare name.
TEST_F(MainWindowTest, HelpAndTestPageGoThroughTheShell) {
  shell.windows_folder = "D:\\Windows";
  Start();
  ui.menu_picks.push_back({"Help"});
  ui.TrayNotify(Host(), 0x204);
  ui.menu_picks.push_back({"Test Quellix"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_EQ(shell.started,
            std::vector<std::string>{"\"D:\\Windows\\hh.exe\" \"C:\\Program Files\\Quellix\\Quellix.chm\""});
  EXPECT_EQ(shell.opened, std::vector<std::string>{"http://www.kelvane.example/products/poptest.htm"});
}

TEST_F(MainWindowTest, ExitFromTheMenuRemovesTheIconAndEnds) {
  Start();
  ui.menu_picks.push_back({"Exit"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kDelete);
  EXPECT_FALSE(main->Menu().Loaded());
  EXPECT_TRUE(shell.ended);
}

// Logging off, or an installer's restart manager freeing the program's files: the program
// ends as at Exit, its icon gone, with every burn already counted and logged. An open
// information window does not keep it running.
TEST_F(MainWindowTest, TheEndOfTheSessionEndsTheProgramWithItsIcon) {
  world.SetOption("7", "1");  // the log
  Start();
  PopUp();
  Tick();
  ui.menu_picks.push_back({"Info"});
  ui.TrayNotify(Host(), 0x204);
  ASSERT_TRUE(ui.Visible(main->Info().Form()));
  ui.EndSession();
  EXPECT_TRUE(shell.ended);
  EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kDelete);
  EXPECT_FALSE(main->Menu().Loaded());
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_EQ(world.Log().size(), 150u);
}

TEST_F(MainWindowTest, ClosingOrExitingTheWindowEndsWithoutSaving) {
  Start();
  ui.TrayNotify(Host(), 0x203);
  main->AppendEntry("unsaved");
  ui.CloseByUser(main->Form());
  EXPECT_TRUE(shell.ended);
  EXPECT_EQ(*world.sim.files.Get(list_path), "offers\r\n");
  shell.ended = false;
  ui.Click(C("drawnButton7"));
  EXPECT_TRUE(shell.ended);
  EXPECT_EQ(*world.sim.files.Get(list_path), "offers\r\n");
}

TEST_F(MainWindowTest, LayoutOfTheMainWindow) {
  Start();
  EXPECT_EQ(ui.Get(main->Form()).text, "Quellix");
  EXPECT_EQ(ui.Bounds(main->Form()).width, 8130);
  EXPECT_EQ(ui.Bounds(main->Form()).height, 5820);
  struct Expect {
    const char *name, *caption;
    int left, top;
  };
  for (Expect e :
       {Expect{"drawnButton1", "PopUp Caption", 120, 1245},
        Expect{"drawnButton2", "Popup Options", 120, 1785},
        Expect{"drawnButton20", "Popup Help    ", 120, 3915},
        Expect{"drawnButton13", "About Popup", 120, 4455},
        Expect{"drawnButton14", "Server List     ", 11865, 7665}, Expect{"drawnButton8", "OK", 3945, 5235},
        Expect{"drawnButton9", "Apply", 5385, 5235}, Expect{"drawnButton7", "Exit", 6825, 5235},
        Expect{"Label1", "PopUp Menu", 120, 900}, Expect{"view1", "", 2070, 1365}}) {
    EXPECT_EQ(ui.Text(C(e.name)), e.caption) << e.name;
    EXPECT_EQ(ui.Bounds(C(e.name)).left, e.left) << e.name;
    EXPECT_EQ(ui.Bounds(C(e.name)).top, e.top) << e.name;
  }
  EXPECT_EQ(ui.Text(C("txtdo")), "0");
  EXPECT_FALSE(ui.Visible(C("txtdo")));
  EXPECT_FALSE(ui.Get(C("drawnButton5")).enabled);
  EXPECT_EQ(ui.Get(C("view1")).columns,
            (std::vector<std::string>{"Window Title", "Burned", "Last burned", "Managed"}));
}

}  // namespace
}  // namespace quellix::ui
