// The main window's lists as the user moves through them: the block list's selection follows
// the highlight whatever moved it, the picker copies every row clicked, imported rows show
// their figures at once, and the tray menu's submenus never share an item id.
#include <gtest/gtest.h>

#include <set>

#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using platform::MessageAnswer;
using Strings = std::vector<std::string>;

class ListsFollowTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override { world.sim.files.Put(list_path, "offers\r\ncasino\r\npoker\r\n"); }
  // Starts the program and opens the main window, as a double-click on the icon does.
  void Open() {
    Start();
    ui.TrayNotify(Host(), 0x203);
  }
  Strings Shown(platform::UiId list) {
    Strings rows;
    for (std::size_t i = 1; i <= ui.ListCount(list); ++i) rows.push_back(ui.ListText(list, i));
    return rows;
  }
  void Answer(MessageAnswer answer) { world.sim.messages.answers.push_back(answer); }
};

TEST_F(ListsFollowTest, TheKeyboardHighlightIsWhatEditAndRemoveWorkOn) {
  Open();
  const platform::UiId view1 = C("view1");
  ui.MoveHighlight(view1, 1);  // the first arrow key in the list, no click yet
  EXPECT_TRUE(ui.Get(C("drawnButton5")).enabled);
  EXPECT_TRUE(ui.Get(C("drawnButton6")).enabled);
  EXPECT_EQ(ui.Text(C("Text1")), "1");

  ui.ItemClick(view1, 1);
  ui.MoveHighlight(view1, 2);
  ui.MoveHighlight(view1, 3);
  EXPECT_EQ(ui.Text(C("Text1")), "3");
  Answer(MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));
  EXPECT_EQ(Shown(view1), (Strings{"offers", "casino"}));  // the highlighted entry went

  ui.MoveHighlight(view1, 2);
  ui.Click(C("drawnButton5"));
  auto& editor = main->BlockList().Editor();
  ASSERT_TRUE(editor.Loaded());
  EXPECT_EQ(ui.Text(editor.TextField()), "casino");
  ui.MoveHighlight(view1, 1);  // moved on while the dialog is open: OK writes there
  ui.Type(editor.TextField(), "deals");
  ui.Click(editor.OkButton());
  EXPECT_EQ(*world.sim.files.Get(list_path), "deals\r\ncasino\r\n");
}

TEST_F(ListsFollowTest, TheProgramsOwnHighlightAndTheReloadLeaveTheSelectionAlone) {
  Open();
  const platform::UiId view1 = C("view1");
  ui.ItemClick(view1, 2);
  ui.ListSelect(view1, 3);  // raises nothing
  EXPECT_EQ(ui.Text(C("Text1")), "2");
  main->Run(tray::MainCommand::kSaveAndReload);  // save and reload: the highlight goes, the position stays
  EXPECT_EQ(ui.Get(view1).selected_row, 0u);
  EXPECT_EQ(ui.Text(C("Text1")), "2");
}

TEST_F(ListsFollowTest, ThePickerCopiesEveryRowClickedAndEveryRowTheKeysMoveTo) {
  world.SetOption("0", "1");
  world.OpenOnTop("IEFrame", "Lottery winners - Microsoft Internet Explorer");
  world.OpenOnTop("IEFrame", "Cheap flights - Microsoft Internet Explorer");
  Open();
  ui.Click(C("drawnButton4"));
  auto& picker = main->Picker();
  ASSERT_EQ(Shown(picker.OpenList()), (Strings{"Cheap flights", "Lottery winners"}));
  ui.ItemClick(picker.OpenList(), 1);
  EXPECT_EQ(ui.Text(picker.TextField()), "Cheap flights");
  ui.Type(picker.TextField(), "Cheap");
  ui.ItemClick(picker.OpenList(), 1);  // the row highlighted already
  EXPECT_EQ(ui.Text(picker.TextField()), "Cheap flights");
  EXPECT_EQ(ui.Text(picker.Preview().Label()), "Would burn 1 of the 2 browser windows open now");
  ui.MoveHighlight(picker.OpenList(), 2);
  EXPECT_EQ(ui.Text(picker.TextField()), "Lottery winners");
}

TEST_F(ListsFollowTest, ImportedRowsShowTheirFiguresAtOnce) {
  world.sim.files.Put(world.app_folder + "\\popcfg.hits", "Quellix burn figures 1\r\n4\tt\tcasino\r\n");
  Open();
  world.sim.files.Put("D:\\mine.pao", "casino\r\nnew one\r\n");
  world.sim.file_dialogs.answers = {std::string("D:\\mine.pao")};
  ui.Click(C("drawnButton12"));
  const auto& rows = ui.Get(C("view1")).rows;
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1].first, (Strings{"casino", "4", "t"}));
  EXPECT_EQ(rows[3].first, (Strings{"casino", "4", "t"}));  // imported: as the loaded one
  EXPECT_EQ(rows[4].first, (Strings{"new one", "", ""}));
  EXPECT_EQ(rows[4].second, "a");
}

// Every item id of the menu and its submenus, with how often each appears.
void CollectIds(const std::vector<platform::MenuItem>& items, std::multiset<int>& ids) {
  for (const platform::MenuItem& item : items) {
    if (item.id != 0) ids.insert(item.id);
    CollectIds(item.submenu, ids);
  }
}

TEST_F(ListsFollowTest, WithAHundredAndFiftyBrowserWindowsEachMenuItemDoesItsOwnThing) {
  world.SetOption("0", "1");
  for (int i = 1; i <= 150; ++i)
    world.OpenOnTop("IEFrame", "Site " + std::to_string(i) + " - Microsoft Internet Explorer");
  Start();
  const Strings open = main->Menu().OpenWindowCaptions();
  ASSERT_EQ(open.size(), 150u);
  // A burn, so that "Recently burned" holds an item too.
  world.OpenOnTop("IEFrame", "Casino night - Microsoft Internet Explorer");
  world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
  ui.AdvanceTime(3000);
  ASSERT_EQ(world.state.history.Recent().size(), 1u);

  std::multiset<int> ids;
  CollectIds(main->Menu().Menu(), ids);
  for (int id : ids) EXPECT_EQ(ids.count(id), 1u) << "id " << id;
  EXPECT_EQ(ids.size(), 150u + 1u + 11u);  // the windows, the burn, the top-level items

  for (std::size_t i : {std::size_t{100}, std::size_t{101}, std::size_t{149}}) {
    ui.menu_picks.push_back({"Add open Window", open[i]});
    ui.TrayNotify(Host(), 0x204);
    EXPECT_FALSE(ui.Visible(main->Form())) << i;  // no recent burn was opened
  }
  EXPECT_EQ(*world.sim.files.Get(list_path),
            "offers\r\ncasino\r\npoker\r\n" + open[100] + "\r\n" + open[101] + "\r\n" + open[149] + "\r\n");
}

}  // namespace
}  // namespace quellix::ui
