// The organisation's policies on the main window and the tray menu: a managed switch's box
// on the options page shows the policy, disabled, with a note under the page, and stores
// nothing; the sound copy follows the policy; AllowUserEntries = 0 closes every way of
// editing the user's own block list.
#include <gtest/gtest.h>

#include "dword_bytes.h"
#include "engine/young_frames.h"
#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "settings/policy_table.h"
#include "settings/settings_table.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using platform::MessageAnswer;
using platform::RegistryRoot;
using Strings = std::vector<std::string>;

using quellix::testing::Dword;

struct Box;

class PolicyPagesTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override { world.sim.files.Put(list_path, "offers\r\ncasino\r\n"); }
  void Policy(std::string_view name, std::uint32_t n, RegistryRoot root = RegistryRoot::kLocalMachine) {
    world.sim.registry.Put(root, settings::kPolicyKey, name, platform::regtype::kDword, Dword(n));
  }
  // The main window, as a double-click on the icon opens it.
  void Open() {
    Start();
    ui.TrayNotify(Host(), 0x203);
  }
  void ShowOptions() { ui.Click(C("drawnButton2")); }
  // Every value written anywhere since the last call.
  Strings NewWrites() {
    Strings all;
    for (RegistryRoot root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser})
      for (const std::string& w : world.sim.registry.Writes(root)) all.push_back(w);
    Strings fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }
  bool Enabled(platform::UiId id) { return ui.Get(id).enabled; }
  // The line under the options page, shown with the page: empty unless something is managed.
  std::string Note() {
    EXPECT_TRUE(ui.Visible(main->Options().ManagedNote()));
    return ui.Text(main->Options().ManagedNote());
  }
  Strings Rows() {
    Strings rows;
    for (std::size_t i = 1; i <= ui.ListCount(C("view1")); ++i) rows.push_back(ui.ListText(C("view1"), i));
    return rows;
  }
  platform::UiId BoxOf(const Box& b);
  std::size_t seen_ = 0;
};

// Each switch box with the stored switch it stands for.
struct Box {
  std::string_view stored;
  int index;  // Check1 index, -1 for the Chromium box, -2 for the instant box
};
const Box kBoxes[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3},         {"4", 4},
                      {"5", 5}, {"6", 6}, {"7", 7}, {"chromium", -1}, {"instant", -2}};

platform::UiId PolicyPagesTest::BoxOf(const Box& b) {
  if (b.index == -1) return main->Options().ChromiumSwitch();
  if (b.index == -2) return main->Options().InstantSwitch();
  return main->Options().Switch(b.index);
}

std::string_view PolicyFor(std::string_view stored) {
  for (const settings::SwitchPolicy& p : settings::kSwitchPolicies)
    if (p.stored == stored) return p.policy;
  return {};
}

TEST_F(PolicyPagesTest, EachManagedBoxShowsThePolicyDisabledAndStoresNothingWhenClicked) {
  Open();
  for (const Box& b : kBoxes) {
    for (const bool forced : {false, true}) {
      world.SetOption(b.stored, forced ? "0" : "1");
      Policy(PolicyFor(b.stored), forced ? 1 : 0);
      NewWrites();
      ShowOptions();
      const platform::UiId box = BoxOf(b);
      EXPECT_EQ(ui.Value(box), forced ? 1 : 0) << b.stored;
      EXPECT_FALSE(Enabled(box)) << b.stored;
      EXPECT_EQ(Note(), "Some settings are managed by your organization.") << b.stored;
      // Only the managed box: the others are free.
      for (const Box& other : kBoxes) {
        if (other.stored == b.stored) continue;
        const platform::UiId o = BoxOf(other);
        EXPECT_TRUE(Enabled(o)) << b.stored << " disabled " << other.stored;
      }
      // A click that reached the box all the same puts it back and stores nothing.
      ui.SetValue(box, forced ? 0 : 1);
      main->Options().OnClick(box, 0);
      EXPECT_EQ(ui.Value(box), forced ? 1 : 0) << b.stored;
      ui.Click(box);  // disabled: the user's click does nothing
      EXPECT_EQ(ui.Value(box), forced ? 1 : 0) << b.stored;
      ShowOptions();
      EXPECT_EQ(NewWrites(), Strings{}) << b.stored;
      EXPECT_EQ(world.Option(b.stored), forced ? "0" : "1") << b.stored;

      // Freed, the box shows the stored value again.
      world.sim.registry.Delete(RegistryRoot::kLocalMachine, settings::kPolicyKey, PolicyFor(b.stored));
      ShowOptions();
      EXPECT_EQ(ui.Value(box), forced ? 0 : 1) << b.stored;
      EXPECT_TRUE(Enabled(box)) << b.stored;
    }
  }
}

TEST_F(PolicyPagesTest, AutoStartForcedOnWritesNoRunValue) {
  world.SetOption("4", "0");
  Policy("AutoStart", 1);
  Open();
  ShowOptions();
  EXPECT_EQ(ui.Value(main->Options().Switch(4)), 1);
  for (std::string_view key : {settings::kRunKeyNt, settings::kRunKeyWindows})
    EXPECT_FALSE(world.sim.registry.Get(settings::kRunRoot, key, settings::kAutoStartValue)) << key;
  EXPECT_EQ(world.Option("4"), "0");
}

TEST_F(PolicyPagesTest, WithNothingManagedTheNoteIsHiddenAndABoxFreedAtTheNextLoadShowsTheStoredValue) {
  world.SetOption("1", "0");
  Open();
  ShowOptions();
  EXPECT_EQ(Note(), "");
  EXPECT_TRUE(Enabled(main->Options().Switch(1)));

  Policy("SupportMozilla", 1);  // while the page is open: shown at its next load
  ShowOptions();
  EXPECT_EQ(ui.Value(main->Options().Switch(1)), 1);
  EXPECT_FALSE(Enabled(main->Options().Switch(1)));
  EXPECT_EQ(Note(), "Some settings are managed by your organization.");

  world.sim.registry.Delete(RegistryRoot::kLocalMachine, settings::kPolicyKey, "SupportMozilla");
  ShowOptions();
  EXPECT_EQ(ui.Value(main->Options().Switch(1)), 0);
  EXPECT_TRUE(Enabled(main->Options().Switch(1)));
  EXPECT_EQ(Note(), "");
  ui.Click(main->Options().Switch(1));  // free again: stored as before
  EXPECT_EQ(world.Option("1"), "1");
}

TEST_F(PolicyPagesTest, ManagedPlaySoundEnablesThePathOnThePageAndReachesTheSoundCopy) {
  world.SetOption("2", "0");
  Policy("PlaySound", 1, RegistryRoot::kCurrentUser);
  Open();
  ShowOptions();
  EXPECT_EQ(ui.Value(main->Options().Switch(2)), 1);
  EXPECT_TRUE(Enabled(main->Options().SoundPath()));  // "Browse a File" chosen, sound on
  ui.Click(C("drawnButton8"));                        // OK: back to the tray
  ui.MinimizeByUser(main->Form());
  EXPECT_EQ(world.state.sound.play_sound, "1");
  EXPECT_EQ(world.Option("2"), "0");

  Policy("PlaySound", 0);  // the machine's policy wins over the user's
  main->Menu().Unload();
  main->Menu().Load();
  EXPECT_EQ(world.state.sound.play_sound, "0");
}

TEST_F(PolicyPagesTest, TheOpenWindowListsFollowAChromiumPolicy) {
  constexpr std::uint32_t kChrome = 100;
  world.sim.desktop.SetProcessImage(kChrome, "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe");
  const auto chrome = world.sim.desktop.AddWindow(
      sim::SimWindowSpec{"Chrome_WidgetWin_1", "Cheap flights - Google Chrome",
                         sim::kOverlappedWindowStyle | engine::kVisibleStyle, false, kChrome});
  world.sim.desktop.BringToTop(chrome);
  world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
  world.SetOption("chromium", "0");
  Policy("SupportChromium", 1);
  Start();
  EXPECT_EQ(main->Menu().OpenWindowCaptions(), Strings{"Cheap flights"});
  ui.menu_picks.push_back({"Add New Window Title"});
  ui.TrayNotify(Host(), 0x204);
  ASSERT_TRUE(main->Picker().Loaded());
  ASSERT_EQ(ui.ListCount(main->Picker().OpenList()), 1u);
  EXPECT_EQ(ui.ListText(main->Picker().OpenList(), 1), "Cheap flights");
}

// --- AllowUserEntries = 0 -------------------------------------------------------------

TEST_F(PolicyPagesTest, EditingTheUsersOwnListIsClosedOnThePage) {
  Policy("AllowUserEntries", 0);
  Open();
  for (const char* name : {"drawnButton4", "drawnButton5", "drawnButton6", "drawnButton12"})
    EXPECT_FALSE(Enabled(C(name))) << name;
  EXPECT_TRUE(Enabled(C("drawnButton11")));  // Export only reads the list
  ui.ItemClick(C("view1"), 1);
  EXPECT_FALSE(Enabled(C("drawnButton5")));
  EXPECT_FALSE(Enabled(C("drawnButton6")));

  // Every path, even one reached without its button.
  auto& page = main->BlockList();
  world.sim.messages.answers.push_back(MessageAnswer::kYes);
  world.sim.file_dialogs.answers = {std::string("D:\\more.pao")};
  world.sim.files.Put("D:\\more.pao", "poker\r\n");
  for (const char* name : {"drawnButton4", "drawnButton5", "drawnButton6", "drawnButton12"})
    EXPECT_TRUE(page.OnClick(C(name))) << name;
  ui.DoubleClick(C("view1"));
  page.Edit();
  EXPECT_FALSE(main->Picker().Loaded());
  EXPECT_FALSE(page.Editor().Loaded());
  EXPECT_TRUE(world.sim.messages.shown.empty());
  EXPECT_TRUE(world.sim.file_dialogs.shown.empty());
  EXPECT_EQ(Rows(), (Strings{"offers", "casino"}));
}

TEST_F(PolicyPagesTest, EditingComesBackWhenThePolicyGoes) {
  Policy("AllowUserEntries", 0);
  Open();
  EXPECT_FALSE(Enabled(C("drawnButton4")));
  world.sim.registry.Delete(RegistryRoot::kLocalMachine, settings::kPolicyKey, "AllowUserEntries");
  ui.Click(C("drawnButton1"));  // the caption page again
  EXPECT_TRUE(Enabled(C("drawnButton4")));
  EXPECT_TRUE(Enabled(C("drawnButton12")));
  EXPECT_FALSE(Enabled(C("drawnButton5")));  // no entry selected yet
  ui.ItemClick(C("view1"), 2);
  EXPECT_TRUE(Enabled(C("drawnButton5")));
  EXPECT_TRUE(Enabled(C("drawnButton6")));
}

TEST_F(PolicyPagesTest, APolicyThatComesWhileAnEditorIsOpenLetsItAddNothing) {
  Open();
  ui.ItemClick(C("view1"), 1);
  ui.Click(C("drawnButton5"));  // Edit
  auto& editor = main->BlockList().Editor();
  ASSERT_TRUE(editor.Loaded());
  ui.Click(C("drawnButton4"));  // Add: the picker
  auto& picker = main->Picker();
  ASSERT_TRUE(picker.Loaded());

  Policy("AllowUserEntries", 0);
  ui.Type(editor.TextField(), "changed");
  ui.Click(editor.OkButton());
  ui.Type(picker.TextField(), "lottery");
  ui.Click(picker.OkButton());
  EXPECT_EQ(Rows(), (Strings{"offers", "casino"}));
  EXPECT_EQ(world.sim.files.Get(list_path), "offers\r\ncasino\r\n");
}

TEST_F(PolicyPagesTest, TheTrayMenusAddItemsAreGreyedAndAddNothing) {
  world.OpenOnTop("IEFrame", "Lottery winners - Microsoft Internet Explorer");
  world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
  Policy("AllowUserEntries", 0, RegistryRoot::kCurrentUser);
  Start();
  ui.menu_picks.push_back({"Add open Window", "Lottery winners"});
  ui.TrayNotify(Host(), 0x204);
  ASSERT_FALSE(ui.menus_shown.empty());
  const auto& menu = ui.menus_shown.back();
  for (const auto& item : menu) {
    if (item.caption == "Add New Window Title" || item.caption == "Add open Window") {
      EXPECT_FALSE(item.enabled) << item.caption;
    } else if (item.id != 0) {
      EXPECT_TRUE(item.enabled) << item.caption;
    }
  }
  ui.menu_picks.push_back({"Add New Window Title"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_FALSE(main->Picker().Loaded());
  EXPECT_EQ(main->DisplayedList().Count(), 2u);
  EXPECT_EQ(world.sim.files.Get(list_path), "offers\r\ncasino\r\n");

  // Allowed again: the items are there as before.
  world.sim.registry.Delete(RegistryRoot::kCurrentUser, settings::kPolicyKey, "AllowUserEntries");
  ui.menu_picks.push_back({"Add open Window", "Lottery winners"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_EQ(main->DisplayedList().Count(), 3u);
}

}  // namespace
}  // namespace quellix::ui
