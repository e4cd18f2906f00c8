// The main window and tray menu in the situations where earlier builds went wrong: boxes that
// were not modal, a view that kept old rows behind a box, the test page's failure, the icon
// left behind on the way out, and a load unloaded from inside itself.
#include <gtest/gtest.h>

#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using platform::NotifyAction;
using quellix::testing::World;

class MainWindowFaultsTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override { world.sim.files.Put(list_path, "offers\r\ncasino\r\n"); }
  // The list file is gone and cannot be written back (a folder the user may not write).
  void LoseTheListFile() {
    world.sim.files.RemoveFile(list_path);
    world.sim.files.Lock(list_path);
  }
  std::uint32_t MenuWindow() { return ui.NativeWindow(*ui.FindForm("menuframe")); }
  std::size_t NotifyCount(NotifyAction action) const {
    return std::count_if(ui.notify_calls.begin(), ui.notify_calls.end(),
                         [&](const auto& c) { return c.first == action; });
  }
};

TEST_F(MainWindowFaultsTest, BoxesBelongToTheMainWindowAtStartAndToTheMenuWindowInTrayMode) {
  world.sim.files.RemoveFile(list_path);
  Start();
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(world.sim.messages.shown[0].owner, ui.NativeWindow(main->Form()));

  shell.open_fails = true;
  ui.menu_picks.push_back({"Test Quellix"});
  ui.TrayNotify(Host(), 0x204);
  ASSERT_EQ(world.sim.messages.shown.size(), 2u);
  EXPECT_EQ(world.sim.messages.shown[1].owner, MenuWindow());

  ui.TrayNotify(Host(), 0x203);  // back to window mode: boxes belong to the main window again
  EXPECT_EQ(world.sim.messages.owner, ui.NativeWindow(main->Form()));
}

TEST_F(MainWindowFaultsTest, TheTrayIconWaitsWhileABoxIsUp) {
  Start();
  LoseTheListFile();
  std::size_t menus_while_shown = 0;
  bool still_in_tray = false;
  world.sim.messages.while_shown = [&] {
    ui.menu_picks.push_back({"Option"});
    ui.TrayNotify(Host(), 0x204);  // right button: the menu would open and "Option" leave the tray
    ui.TrayNotify(Host(), 0x203);  // double-click: would show the main window
    menus_while_shown = ui.menus_shown.size();
    still_in_tray = main->Menu().Loaded() && !ui.Visible(main->Form());
  };
  ui.menu_picks.push_back({"Add open Window", ""});
  main->PostCommand("2");  // save and reload, as the tray submenu does: the list file is gone
  EXPECT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(menus_while_shown, 0u);
  EXPECT_TRUE(still_in_tray);
  world.sim.messages.while_shown = nullptr;
  ui.menu_picks.clear();
  ui.TrayNotify(Host(), 0x203);  // once the box is gone the icon answers again
  EXPECT_TRUE(ui.Visible(main->Form()));
}

TEST_F(MainWindowFaultsTest, TheListOnScreenIsEmptiedBeforeTheMissingFileMessage) {
  Start();
  ASSERT_EQ(ui.ListCount(C("view1")), 2u);
  ui.TrayNotify(Host(), 0x203);
  LoseTheListFile();
  std::size_t rows_behind_the_box = 99;
  world.sim.messages.while_shown = [&] { rows_behind_the_box = ui.ListCount(C("view1")); };
  main->PostCommand("2");
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(rows_behind_the_box, 0u);
}

TEST_F(MainWindowFaultsTest, TestPageIsRequestedHiddenOnBehalfOfTheMenuWindowAndAFailureIsSaid) {
  Start();
  ui.menu_picks.push_back({"Test Quellix"});
  ui.TrayNotify(Host(), 0x204);
  ASSERT_EQ(shell.open_requests.size(), 1u);
  EXPECT_EQ(shell.open_requests[0].target, "http://www.kelvane.example/products/poptest.htm");
  EXPECT_EQ(shell.open_requests[0].folder, world.app_folder);
  EXPECT_EQ(shell.open_requests[0].owner, MenuWindow());
  EXPECT_EQ(shell.open_requests[0].show_command, 0);
  EXPECT_TRUE(world.sim.messages.shown.empty());  // a request that went through says nothing

  shell.open_fails = true;
  ui.menu_picks.push_back({"Test Quellix"});
  ui.TrayNotify(Host(), 0x204);
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(world.sim.messages.shown[0].title, "Connection error");
  EXPECT_EQ(world.sim.messages.shown[0].text,
            "Can't Open this site please go to\r\n http://www.kelvane.example/products/poptest.htm");
}

TEST_F(MainWindowFaultsTest, EveryWayOutRemovesTheTrayIcon) {
  Start();
  ASSERT_TRUE(main->Tray().Visible());
  ui.CloseByUser(main->Form());  // a close request to the hidden window, as a task manager sends
  EXPECT_TRUE(shell.ended);
  EXPECT_EQ(NotifyCount(NotifyAction::kDelete), 1u);
  EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kDelete);
  EXPECT_FALSE(main->Menu().Loaded());
}

TEST_F(MainWindowFaultsTest, ALoadUnloadedByAnEventItLetRunLeavesNoIconAndNoTimer) {
  Start();
  ui.TrayNotify(Host(), 0x203);  // window mode
  const std::size_t adds = NotifyCount(NotifyAction::kAdd);
  const std::size_t timers = ui.LiveTimers();
  world.OpenOnTop("IEFrame", "Weather - Microsoft Internet Explorer");
  // A double-click waiting in the queue runs while the submenu is built, and ends tray mode.
  ui.QueueEvent([&] { ui.TrayNotify(Host(), 0x203); });
  world.state.burn_count = "unchanged";
  main->Menu().Load();
  EXPECT_FALSE(main->Menu().Loaded());
  EXPECT_EQ(NotifyCount(NotifyAction::kAdd), adds);
  EXPECT_EQ(ui.LiveTimers(), timers);
  EXPECT_EQ(world.state.burn_count, "unchanged");
}

TEST(DisplayedBlockListTest, RemovingAPositionThatHoldsNoEntryChangesNothing) {
  blocklist::DisplayedBlockList list;
  list.Add("a");
  list.Add("b");
  list.Remove(2);
  list.Remove(2);  // Remove again without a new selection: the position is gone
  list.Remove(0);
  list.Remove(static_cast<std::size_t>(-1));
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.At(1).text, "a");
}

}  // namespace
}  // namespace quellix::ui
