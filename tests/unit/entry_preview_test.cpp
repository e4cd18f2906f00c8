// The line under the edit dialog's and the picker's entry field: what the entry would burn
// now, by the burn cycle's own rules, and the warning for an entry that burns everything.
#include "engine/entry_preview.h"

#include <gtest/gtest.h>

#include "controls/hosted_button.h"
#include "engine/burn_cycle.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix {
namespace {

using quellix::testing::World;

class EntryPreviewTest : public ::testing::Test {
 protected:
  World world;
  void SetUp() override {
    world.SetOption("0", "1");
    world.SetOption("1", "1");
    for (const char* t :
         {"Great Deals - Microsoft Internet Explorer", "Weather - Microsoft Internet Explorer",
          "News - Microsoft Internet Explorer", "DEALS of the day - Mozilla Firefox",
          "Email - Mozilla Firefox", "Street maps - Mozilla Firefox"})
      world.OpenOnTop(std::string(t).find("Mozilla") != std::string::npos ? "MozillaWindowClass" : "IEFrame",
                      t);
    world.OpenOnTop("IEFrame", "Deals elsewhere - Microsoft Internet Explorer");
    world.OpenOnTop("Notepad", "deals.txt - Notepad");  // not a browser frame
  }
  engine::EntryPreview Preview(const std::string& entry) {
    return engine::PreviewEntry(world.services(), world.own_window, entry, world.state.frame_ages);
  }
};

TEST_F(EntryPreviewTest, CountsTheOpenFramesTheEntryWouldBurnByTheCyclesRules) {
  const auto deals = Preview("deals");
  EXPECT_EQ(deals.open, 7u);
  EXPECT_EQ(deals.would_burn, 3u);  // case-insensitive, in the cut title only
  EXPECT_FALSE(deals.burns_everything);
  EXPECT_EQ(engine::PreviewText(deals), "Would burn 3 of the 7 browser windows open now");
  EXPECT_EQ(Preview("Microsoft").would_burn, 0u);  // the cut removes the browser's name
  world.SetOption("1", "0");                       // Mozilla frames off: they are not counted at all
  EXPECT_EQ(Preview("deals").open, 4u);
  EXPECT_EQ(Preview("deals").would_burn, 2u);
}

TEST_F(EntryPreviewTest, ChromiumFramesCountOnlyWhileTheCycleMayBurnThem) {
  world.sim.desktop.SetProcessImage(41, "C:\\Program Files\\Google\\Chrome\\chrome.exe");
  world.sim.desktop.SetProcessImage(42, "C:\\Tools\\code.exe");
  const auto chromium = [&](std::uint32_t process, const char* caption) {
    const auto id = world.sim.desktop.AddWindow(sim::SimWindowSpec{
        "Chrome_WidgetWin_1", caption, sim::kOverlappedWindowStyle | 0x10000000u, false, process});
    world.sim.desktop.BringToTop(id);
  };
  const auto tick = [&](std::uint64_t ms) {
    world.sim.clock.monotonic_ms += ms;
    engine::BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
  };
  world.SetOption("chromium", "1");
  chromium(41, "My deals - Google Chrome");  // the user's own, open before the first tick
  EXPECT_EQ(Preview("deals").open, 7u);      // before any tick no Chromium frame's age is known
  tick(0);
  chromium(41, "Hot deals - Google Chrome");
  chromium(42, "deals.cpp - Code");
  world.SetOption("chromium", "0");
  EXPECT_EQ(Preview("deals").open, 7u);  // the switch is off: as before
  world.SetOption("chromium", "1");
  EXPECT_EQ(Preview("deals").open, 8u);  // the pop-up; never the editor's window, nor the user's
  EXPECT_EQ(Preview("deals").would_burn, 4u);
  tick(3000);  // met: young
  EXPECT_EQ(Preview("deals").would_burn, 4u);
  // A blank entry burns every older browser's frame, and no Chromium frame.
  EXPECT_EQ(Preview("").would_burn, 7u);
  EXPECT_EQ(Preview("").open, 8u);
  EXPECT_TRUE(Preview("").burns_everything);
  world.sim.clock.monotonic_ms += 10000;  // ten seconds after the cycle met it: old
  EXPECT_EQ(Preview("deals").open, 7u);
  EXPECT_EQ(Preview("deals").would_burn, 3u);
}

TEST_F(EntryPreviewTest, EmptyBlankOrAllMatchingEntriesWarn) {
  for (const std::string entry : {"", "   ", "E"}) {
    const auto p = Preview(entry);
    EXPECT_TRUE(p.burns_everything) << "'" << entry << "'";
    EXPECT_EQ(engine::PreviewText(p), "This entry burns every browser window");
  }
  World lone;
  lone.SetOption("0", "1");
  lone.OpenOnTop("IEFrame", "Only one - Microsoft Internet Explorer");
  const auto one = engine::PreviewEntry(lone.services(), lone.own_window, "one", lone.state.frame_ages);
  EXPECT_FALSE(one.burns_everything);  // one window open: burning it is no warning
  EXPECT_EQ(engine::PreviewText(one), "Would burn 1 of the 1 browser window open now");
}

TEST_F(EntryPreviewTest, TheEditDialogAndThePickerTellAsTheUserTypes) {
  sim::SimUi ui{controls::DrawnProductButtons()};
  sim::SimShell shell;
  world.sim.files.Put(world.app_folder + "\\popcfg.apo", "weather\r\n");
  ui::MainWindow main(
      tray::TrayContext{world.services(), ui, shell, world.state, world.app_folder, world.data_folder});
  main.Start();
  ui.TrayNotify(main.Control("TrayArea1"), 0x203);
  ui.ItemClick(main.Control("view1"), 1);
  ui.Click(main.Control("drawnButton5"));
  auto& editor = main.BlockList().Editor();
  const auto label = editor.Preview().Label(), icon = editor.Preview().Icon();
  EXPECT_EQ(ui.Text(label), "Would burn 1 of the 7 browser windows open now");
  EXPECT_FALSE(ui.Visible(icon));
  ui.Type(editor.TextField(), " ");
  EXPECT_EQ(ui.Text(label), "This entry burns every browser window");
  EXPECT_TRUE(ui.Visible(icon));
  EXPECT_NE(ui.Get(label).text_color, platform::Ui::kDefaultTextColor);
  ui.Type(editor.TextField(), "deals");
  EXPECT_EQ(ui.Text(label), "Would burn 3 of the 7 browser windows open now");
  EXPECT_EQ(ui.Get(label).text_color, platform::Ui::kDefaultTextColor);
  ui.Click(editor.OkButton());  // OK still does what it did
  EXPECT_EQ(world.sim.files.Get(world.app_folder + "\\popcfg.apo"), "deals\r\n");

  ui.Click(main.Control("drawnButton4"));
  auto& picker = main.Picker();
  EXPECT_EQ(ui.Text(picker.Preview().Label()), "This entry burns every browser window");  // empty field
  ui.ItemClick(picker.OpenList(), 1);
  EXPECT_EQ(ui.Text(picker.Preview().Label()), "Would burn 1 of the 7 browser windows open now");
}

}  // namespace
}  // namespace quellix
