// The tray's own additions: the figures per entry on the block list page and their file,
// recently burned windows, pausing, and the notice about a window that does not close.
#include <gtest/gtest.h>

#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using quellix::testing::World;

class TrayExtrasTest : public quellix::testing::MainWindowRig {
 protected:

  void SetUp() override {
    world.state.burning.TurnOff();
    world.sim.files.Put(list_path, "casino\r\noffers\r\ncheap\r\n");
    world.SetOption("0", "1");
    world.SetOption("1", "1");
  }
  platform::WindowId PopUp(std::string caption, bool ignores_close = false) {
    const auto id =
        world.OpenOnTop("IEFrame", std::move(caption), sim::kOverlappedWindowStyle, ignores_close);
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  void Tick() {
    ui.AdvanceTime(3000);
    world.sim.desktop.DeliverCloseRequests();
  }
  std::vector<std::string> Row(std::size_t i) { return ui.Get(C("view1")).rows.at(i - 1).first; }
  void Choose(std::vector<std::string> path) {
    ui.menu_picks.push_back(std::move(path));
    ui.TrayNotify(Host(), 0x204);
  }
  const platform::MenuItem& Item(const std::string& caption) {
    const auto& menu = ui.menus_shown.back();
    return *std::find_if(menu.begin(), menu.end(), [&](const auto& i) { return i.caption == caption; });
  }
};

TEST_F(TrayExtrasTest, BurnsAreCountedPerEntryInTheirFileAndShownWhenTheWindowOpens) {
  Start();
  PopUp("Cheap Offers - Microsoft Internet Explorer");
  world.sim.clock.date = "12/8/2026";
  world.sim.clock.time = "2:02:11 PM";
  Tick();
  EXPECT_EQ(world.sim.files.Get(hits_path), "Quellix burn figures 1\r\n1\t12/8/2026 2:02:11 PM\toffers\r\n");
  const std::string written = *world.sim.files.Get(hits_path);
  Tick();  // nothing burned: the file is not written again
  world.sim.files.Put(hits_path, written + "junk");
  Tick();
  EXPECT_EQ(world.sim.files.Get(hits_path), written + "junk");
  ui.TrayNotify(Host(), 0x203);
  EXPECT_EQ(Row(2), (std::vector<std::string>{"offers", "1", "12/8/2026 2:02:11 PM"}));
  EXPECT_EQ(Row(1), (std::vector<std::string>{"casino", "", ""}));
}

TEST_F(TrayExtrasTest, FiguresOfAnEntryInAnyScriptAreKeptWholeInTheirFile) {
  // "выиграй": no form in the Western page, so the figures file is UTF-8 behind its mark.
  const std::string entry = "\xD0\xB2\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9";
  world.sim.files.Put(list_path, "\xEF\xBB\xBF" + entry + "\r\noffers\r\n");
  Start();
  PopUp("\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9 iPhone - Microsoft Internet Explorer");
  world.sim.clock.date = "12/8/2026";
  world.sim.clock.time = "2:02:11 PM";
  Tick();
  EXPECT_EQ(world.sim.files.Get(hits_path),
            "\xEF\xBB\xBFQuellix burn figures 1\r\n1\t12/8/2026 2:02:11 PM\t" + entry + "\r\n");
  // Read back at the next start.
  main.reset();
  world.state.history = {};
  Start();
  EXPECT_EQ(world.state.history.Figures().Of(entry).burned, 1u);
  // A figures file of older versions, in the code page, reads as it always did.
  world.sim.files.Put(list_path, "caf\xE9\r\n");
  world.sim.files.Put(hits_path, "Quellix burn figures 1\r\n7\t1/1/2027\tcaf\xE9\r\n");
  main.reset();
  world.state.history = {};
  Start();
  EXPECT_EQ(world.state.history.Figures().Of("caf\xC3\xA9").burned, 7u);
}

TEST_F(TrayExtrasTest, ACorruptFiguresFileMeansZeroFiguresAndLeavesTheBlockListAlone) {
  world.sim.files.Put(hits_path, std::string("\xff\xfe garbage \0\0\r\n", 16));
  Start();
  EXPECT_EQ(world.state.block_entries.Entries(), (std::vector<std::string>{"casino", "offers", "cheap"}));
  ui.TrayNotify(Host(), 0x203);
  EXPECT_EQ(Row(1)[1], "");
  EXPECT_EQ(world.sim.files.Get(list_path), "casino\r\noffers\r\ncheap\r\n");
  EXPECT_TRUE(world.sim.messages.shown.empty());
}

TEST_F(TrayExtrasTest, EntriesThatLeaveTheListDropTheirFiguresAtTheNextStore) {
  world.sim.files.Put(hits_path, "Quellix burn figures 1\r\n4\tt\tcasino\r\n2\tt\toffers\r\n");
  Start();
  ui.TrayNotify(Host(), 0x203);
  EXPECT_EQ(Row(1)[1], "4");
  ui.ItemClick(C("view1"), 1);
  world.sim.messages.answers.push_back(platform::MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));
  ui.Click(C("drawnButton9"));  // Apply
  EXPECT_EQ(world.sim.files.Get(hits_path), "Quellix burn figures 1\r\n2\tt\toffers\r\n");
}

TEST_F(TrayExtrasTest, RecentlyBurnedListsNewestFirstAndOpensTheEntryThatBurned) {
  Start();
  ui.TrayNotify(Host(), 0x204);
  const auto& empty = Item("Recently burned").submenu;
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_EQ(empty[0].caption, "(nothing yet)");
  EXPECT_FALSE(empty[0].enabled);

  world.sim.clock.clock_time = "14:02:11";
  PopUp("Casino royale - Microsoft Internet Explorer");
  Tick();
  world.sim.clock.clock_time = "14:02:14";
  PopUp("Cheap Offers - Microsoft Internet Explorer");
  Tick();
  ui.TrayNotify(Host(), 0x204);
  const auto& recent = Item("Recently burned").submenu;
  ASSERT_EQ(recent.size(), 2u);
  EXPECT_EQ(recent[0].caption, "14:02:14  Cheap Offers");
  EXPECT_EQ(recent[1].caption, "14:02:11  Casino royale");

  Choose({"Recently burned", "14:02:11  Casino royale"});
  EXPECT_TRUE(ui.Visible(main->Form()));
  EXPECT_FALSE(main->Menu().Loaded());  // window mode: nothing burns
  EXPECT_TRUE(ui.Visible(C("view1")));
  EXPECT_EQ(ui.Get(C("view1")).selected_row, 1u);
  EXPECT_EQ(ui.Text(C("Text1")), "1");
  EXPECT_TRUE(ui.Get(C("drawnButton6")).enabled);  // ready for Remove
  EXPECT_EQ(Row(1)[1], "1");
}

TEST_F(TrayExtrasTest, APauseStopsBurningSaysUntilWhenAndEndsByItself) {
  Start();
  world.sim.clock.clock_time = "14:20:30";
  Choose({"Pause for 15 minutes"});
  EXPECT_EQ(world.state.burning.Value(), 0);
  EXPECT_EQ(main->Tray().ToolTip(), "Quellix - paused until 14:35");
  ui.TrayNotify(Host(), 0x200);  // hovering keeps saying so
  EXPECT_EQ(main->Tray().ToolTip(), "Quellix - paused until 14:35");
  const auto popup = PopUp("Cheap Offers - Microsoft Internet Explorer");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 0);
  world.sim.clock.monotonic_ms += 15 * 60 * 1000;
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 1);
  EXPECT_EQ(world.state.burning.Value(), 1);
  EXPECT_EQ(main->Tray().ToolTip().rfind("Quellix > ", 0), 0u);  // no longer paused
  ui.TrayNotify(Host(), 0x200);
  EXPECT_EQ(main->Tray().ToolTip(), "Quellix > 1 < Popups Burned");
}

TEST_F(TrayExtrasTest, APauseThatEndsWhileTheMainWindowIsOpenResumesOnTheWayBack) {
  Start();
  world.sim.clock.clock_time = "23:30:00";
  Choose({"Pause for 1 hour"});
  EXPECT_EQ(main->Tray().ToolTip(), "Quellix - paused until 00:30");
  ui.TrayNotify(Host(), 0x203);  // window mode
  world.sim.clock.monotonic_ms += 61 * 60 * 1000;
  ui.Click(C("drawnButton8"));  // OK: back to the tray
  EXPECT_EQ(world.state.burning.Value(), 1);
  const auto popup = PopUp("Cheap Offers - Microsoft Internet Explorer");
  Tick();
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 1);
}

TEST_F(TrayExtrasTest, APauseTakenWithAClockTextOfAnotherFormStillPausesAndSaysSo) {
  Start();
  world.sim.clock.clock_time = "ab:cd:ef";  // no digits where the hours and minutes stand
  Choose({"Pause for 15 minutes"});
  EXPECT_EQ(world.state.burning.Value(), 0);
  EXPECT_EQ(main->Tray().ToolTip(), "Quellix - paused");
  world.sim.clock.monotonic_ms += 15 * 60 * 1000;
  Tick();
  EXPECT_EQ(world.state.burning.Value(), 1);
  world.sim.clock.clock_time = "2:20 PM";
  Choose({"Pause for 1 hour"});
  EXPECT_EQ(main->Tray().ToolTip(), "Quellix - paused");
}

TEST_F(TrayExtrasTest, TheToggleEndsAPauseAtOnce) {
  Start();
  Choose({"Pause for 1 hour"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_EQ(Item("Enable (Turn On) Popups Burn").id, tray::MenuFrame::kToggle);
  Choose({"Enable (Turn On) Popups Burn"});
  EXPECT_EQ(world.state.burning.Value(), 1);
  EXPECT_FALSE(world.state.burning.PauseAsked());
  EXPECT_EQ(main->Tray().ToolTip().rfind("Quellix > ", 0), 0u);
}

TEST_F(TrayExtrasTest, AWindowThatDoesNotCloseBringsOneNoticeAndIsStillCountedEachTick) {
  Start();
  PopUp("Cheap Offers - Microsoft Internet Explorer", /*ignores_close=*/true);
  Tick();
  Tick();
  EXPECT_TRUE(ui.balloons.empty());
  Tick();
  ASSERT_EQ(ui.balloons.size(), 1u);
  EXPECT_EQ(ui.balloons[0].text, "A pop-up does not close: Cheap Offers");
  EXPECT_EQ(ui.balloons[0].window, ui.NativeWindow(Host()));
  Tick();
  Tick();
  EXPECT_EQ(ui.balloons.size(), 1u);
  EXPECT_EQ(world.Option("cnt"), "5");
}

}  // namespace
}  // namespace quellix::ui
