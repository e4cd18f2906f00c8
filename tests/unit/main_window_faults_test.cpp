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
using Strings = std::vector<std::string>;

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
  main->Run(tray::MainCommand::kSaveAndReload);  // save and reload, as the tray submenu does: the list file is gone
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
  world.sim.files.RemoveFile(list_path);
  // Both entries removed: the save writes an empty file, which reloads as missing.
  for (int i = 0; i < 2; ++i) {
    world.sim.messages.answers.push_back(platform::MessageAnswer::kYes);
    ui.ItemClick(C("view1"), 1);
    ui.Click(C("drawnButton6"));
  }
  world.sim.messages.shown.clear();
  std::size_t rows_behind_the_box = 99;
  world.sim.messages.while_shown = [&] { rows_behind_the_box = ui.ListCount(C("view1")); };
  main->Run(tray::MainCommand::kSaveAndReload);
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

// --- Stores that fail, and a list file that could not be read ---------------------------

class ListStoreFaultsTest : public MainWindowFaultsTest {
 protected:
  std::string ListFile() { return world.sim.files.Get(list_path).value_or("<absent>"); }
  void OpenWindow() {
    Start();
    ui.TrayNotify(Host(), 0x203);
  }
  void RemoveFirstEntry() {
    world.sim.messages.answers.push_back(platform::MessageAnswer::kYes);
    ui.ItemClick(C("view1"), 1);
    ui.Click(C("drawnButton6"));
  }
  void PickTitle(const std::string& title) {
    ui.Click(C("drawnButton4"));
    ui.Type(main->Picker().TextField(), title);
    ui.Click(main->Picker().OkButton());
  }
  const sim::SimMessageBoxes::Shown& OnlyBox() {
    EXPECT_EQ(world.sim.messages.shown.size(), 1u);
    return world.sim.messages.shown.back();
  }
};

TEST_F(ListStoreFaultsTest, AFailedApplySaysWhyKeepsTheEditAndKeepsTheFiguresOfTheFile) {
  world.sim.files.Put(hits_path, "Quellix burn figures 1\r\n4\t1/1/2027\toffers\r\n");
  OpenWindow();
  RemoveFirstEntry();
  for (const bool locked : {false, true}) {
    if (locked) {
      world.sim.files.Lock(list_path);
    } else {
      world.sim.files.SetWriteBudget(0);  // a full disk
      world.sim.files.SetErrorText("There is not enough space on the disk.");
    }
    world.sim.messages.shown.clear();
    ui.Click(C("drawnButton9"));
    const auto& box = OnlyBox();
    EXPECT_EQ(box.title, "Quellix");
    EXPECT_EQ(box.icon, platform::MessageIcon::kStop);
    EXPECT_EQ(box.owner, ui.NativeWindow(main->Form()));
    EXPECT_TRUE(box.text.starts_with("The block list could not be saved to popcfg.apo.\r\n")) << box.text;
    if (!locked) {
      EXPECT_NE(box.text.find("There is not enough space on the disk."), std::string::npos);
    }
    EXPECT_TRUE(box.text.ends_with("the list on screen keeps your changes.")) << box.text;
    EXPECT_EQ(ListFile(), "offers\r\ncasino\r\n");
    EXPECT_EQ(ui.ListCount(C("view1")), 1u);
    EXPECT_EQ(ui.ListText(C("view1"), 1), "casino");
    // The figures of the removed entry stay: the list that holds it is still the stored one.
    EXPECT_EQ(world.state.history.Figures().Of("offers").burned, 4u);
  }
}

TEST_F(ListStoreFaultsTest, AFailedSaveAndReloadKeepsTheNewTitleAndDoesNotLoadTheOldFileOverIt) {
  OpenWindow();
  world.sim.files.Lock(list_path);
  PickTitle("Lottery");
  EXPECT_TRUE(OnlyBox().text.starts_with("The block list could not be saved to popcfg.apo."));
  EXPECT_EQ(main->DisplayedList().Texts(), (Strings{"offers", "casino", "Lottery"}));
  ASSERT_EQ(ui.ListCount(C("view1")), 3u);
  EXPECT_EQ(ui.ListText(C("view1"), 3), "Lottery");
}

TEST_F(ListStoreFaultsTest, AFailedExportSaysWhyAndWritesNothing) {
  OpenWindow();
  world.sim.files.SetWriteBudget(0);
  world.sim.files.SetErrorText("Access is denied.");
  world.sim.file_dialogs.answers = {std::string("D:\\mine.pao")};
  ui.Click(C("drawnButton11"));
  const auto& box = OnlyBox();
  EXPECT_EQ(box.title, "Quellix");
  EXPECT_EQ(box.owner, ui.NativeWindow(main->Form()));
  EXPECT_EQ(box.text, "The block list could not be exported.\r\nAccess is denied.\r\nNo file was written.");
  EXPECT_FALSE(world.sim.files.Exists("D:\\mine.pao"));
  EXPECT_EQ(ui.ListCount(C("view1")), 2u);
}

TEST_F(ListStoreFaultsTest, AListFileThatCouldNotBeReadIsNeverStoredOverUntilItReads) {
  const std::string unreadable("off\0ers\r\n", 9);  // no list, but writable: only the rule protects it
  world.sim.files.Put(list_path, unreadable);
  OpenWindow();
  EXPECT_TRUE(main->ListUnreadable());
  EXPECT_TRUE(OnlyBox().text.starts_with("The popup burn list file popcfg.apo could not be read."));
  world.sim.messages.shown.clear();

  PickTitle("Lottery");  // picker OK: save and reload
  EXPECT_TRUE(
      OnlyBox().text.starts_with("The block list could not be saved to popcfg.apo.\r\n"
                                 "The popup burn list file popcfg.apo could not be read."));
  EXPECT_EQ(ListFile(), unreadable);
  world.sim.messages.shown.clear();
  ui.Click(C("drawnButton9"));  // Apply
  EXPECT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(ListFile(), unreadable);
  EXPECT_EQ(main->DisplayedList().Texts(), Strings{"Lottery"});

  // Once the file reads, Apply stores its entries with the one added meanwhile after them.
  world.sim.files.Put(list_path, "offers\r\ncasino\r\n");
  world.sim.messages.shown.clear();
  ui.Click(C("drawnButton9"));
  EXPECT_TRUE(world.sim.messages.shown.empty());
  EXPECT_FALSE(main->ListUnreadable());
  EXPECT_EQ(ListFile(), "offers\r\ncasino\r\nLottery\r\n");
  EXPECT_EQ(ui.ListCount(C("view1")), 3u);
}

// --- The figures file and what crashes left behind --------------------------------------

class StartUpFilesTest : public ListStoreFaultsTest {
 protected:
  // One burn of a window titled "Offers" in tray mode.
  void BurnOnce() {
    world.SetOption("0", "1");
    world.OpenOnTop("IEFrame", "Offers - Microsoft Internet Explorer");
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    ui.AdvanceTime(3000);
  }
};

TEST_F(StartUpFilesTest, AFiguresFileWithLineFeedsOnlyKeepsItsFigures) {
  world.sim.files.Put(hits_path, "Quellix burn figures 1\n3\t1/1/2027\toffers\n2\t1/1/2027\tcasino\n");
  Start();
  BurnOnce();
  EXPECT_EQ(world.state.history.Figures().Of("offers").burned, 4u);
  const engine::HitStats stored =
      engine::HitStats::Parse(world.sim.files.Get(hits_path).value_or(std::string()));
  EXPECT_EQ(stored.Of("offers").burned, 4u);
  EXPECT_EQ(stored.Of("casino").burned, 2u);
}

TEST_F(StartUpFilesTest, AFiguresFileLockedAtStartIsNeverReplacedLater) {
  const std::string figures = "Quellix burn figures 1\r\n7\tt\toffers\r\n";
  world.sim.files.Put(hits_path, figures);
  world.sim.files.Lock(hits_path);  // a backup program holds it while the program starts
  Start();
  world.sim.files.Unlock(hits_path);
  BurnOnce();
  ui.TrayNotify(Host(), 0x203);
  RemoveFirstEntry();
  ui.Click(C("drawnButton9"));  // an Apply that would drop the figures of "offers"
  EXPECT_EQ(world.sim.files.Get(hits_path), figures);
  EXPECT_FALSE(world.sim.files.Exists(hits_path + ".~1.tmp"));
}

TEST_F(StartUpFilesTest, AFiguresFileOfAnotherKindIsNeverReplaced) {
  const std::string foreign = "Quellix burn figures 9\r\nsomething newer\r\n";
  world.sim.files.Put(hits_path, foreign);
  Start();
  BurnOnce();
  EXPECT_EQ(world.sim.files.Get(hits_path), foreign);
}

TEST_F(StartUpFilesTest, TemporaryFilesACrashLeftAreRemovedAtStartAndNoOthers) {
  world.sim.files.SetNow(500);
  const std::string folder = world.app_folder + "\\";
  for (int n = 1; n <= 100; ++n) world.sim.files.Put(list_path + ".~" + std::to_string(n) + ".tmp", "half");
  const char* kept[] = {"popcfg.apo.~101.tmp",   "popcfg.apo.~01.tmp", "popcfg.apo.tmp",
                        "popcfg.apo.~1.tmp.txt", "other.txt.~1.tmp",   "popcfg.apo.~x.tmp"};
  for (const char* name : kept) world.sim.files.Put(folder + name, "not ours");
  world.sim.files.Put(hits_path + ".~3.TMP", "half");
  world.sim.files.SetNow(1000);
  world.sim.files.Put(list_path, "offers\r\n");
  world.sim.files.SetNow(2000);                    // the program starts
  world.sim.files.Put(list_path + ".~7.tmp", "");  // not older than the program: kept
  OpenWindow();
  for (int n = 1; n <= 100; ++n) {
    EXPECT_EQ(world.sim.files.Exists(list_path + ".~" + std::to_string(n) + ".tmp"), n == 7) << n;
  }
  EXPECT_FALSE(world.sim.files.Exists(hits_path + ".~3.tmp"));
  EXPECT_TRUE(world.sim.files.Exists(list_path + ".~7.tmp"));
  for (const char* name : kept) EXPECT_TRUE(world.sim.files.Exists(folder + name)) << name;
  // Saving works again: the names are free.
  ui.Click(C("drawnButton9"));
  EXPECT_TRUE(world.sim.messages.shown.empty());
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
