// The managed block list in the whole program: it burns beside the user's list, shows after
// it on the block list page, can be neither edited, removed, stored nor exported as the
// user's, follows the tray tick, and is told on the information window.
#include <gtest/gtest.h>

#include "blocklist/block_list_page.h"
#include "blocklist/managed_list.h"
#include "dword_bytes.h"
#include "main_window_rig.h"
#include "settings/policy_table.h"

namespace quellix::ui {
namespace {

using Strings = std::vector<std::string>;
using platform::RegistryRoot;

constexpr std::uint64_t kMinute = 60 * 1000;
constexpr char kManagedPath[] = "\\\\server\\policies\\corp.apo";

using quellix::testing::Dword;

class ManagedListWindowTest : public quellix::testing::MainWindowRig {
 protected:
  std::string copy_path = blocklist::ManagedCopyPath(world.app_folder);

  void SetUp() override {
    world.state.burning.TurnOff();
    world.sim.files.Put(list_path, "casino\r\n");
    world.sim.files.Put(kManagedPath, "corp offers\r\n");
    world.SetOption("0", "1");  // "Support Internet Explorer"
    world.SetOption("7", "1");  // "Enable Logging"
    Policy(settings::kPolicyBlockListPath, kManagedPath);
  }
  void Policy(std::string_view name, std::string text) {
    world.sim.registry.PutString(RegistryRoot::kLocalMachine, settings::kPolicyKey, name, std::move(text));
  }
  void Policy(std::string_view name, std::uint32_t n) {
    world.sim.registry.Put(RegistryRoot::kLocalMachine, settings::kPolicyKey, name, platform::regtype::kDword,
                           Dword(n));
  }
  platform::WindowId PopUp(std::string caption) {
    const auto id = world.OpenOnTop("IEFrame", std::move(caption));
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  bool Burned(platform::WindowId id) { return world.sim.desktop.CloseRequests(id) > 0; }
  void Tick(std::uint64_t ms = 3000) {
    world.sim.clock.monotonic_ms += ms;
    ui.AdvanceTime(3000);
    world.sim.desktop.DeliverCloseRequests();
  }
  void OpenWindow() { ui.TrayNotify(Host(), 0x203); }
  std::vector<std::string> Row(std::size_t i) { return ui.Get(C("view1")).rows.at(i - 1).first; }
  std::size_t Rows() { return ui.ListCount(C("view1")); }
};

TEST_F(ManagedListWindowTest, ManagedEntriesBurnAfterTheUsersAndAreCreditedLoggedAndCountedAlike) {
  Start();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"casino", "corp offers"}));
  EXPECT_EQ(world.sim.files.Get(copy_path), "corp offers\r\n");
  const auto popup = PopUp("Corp Offers Today - Microsoft Internet Explorer");
  Tick();
  EXPECT_TRUE(Burned(popup));
  EXPECT_EQ(world.Option("cnt"), "1");
  EXPECT_NE(world.Log().find("Corp Offers Today"), std::string::npos);
  EXPECT_EQ(world.sim.files.Get(hits_path),
            "Quellix burn figures 1\r\n1\t12/7/2026 11:15:02 PM\tcorp offers\r\n");

  OpenWindow();
  EXPECT_EQ(ui.Get(C("view1")).columns, (Strings{"Window Title", "Burned", "Last burned", "Managed"}));
  ASSERT_EQ(Rows(), 2u);
  EXPECT_EQ(Row(1), (Strings{"casino", "", ""}));
  EXPECT_EQ(Row(2), (Strings{"corp offers", "1", "12/7/2026 11:15:02 PM", "Yes"}));

  // The recent burn opens the page on the managed row that burned it, offering no edit.
  ui.MinimizeByUser(main->Form());
  ui.menu_picks.push_back({"Recently burned", "23:15:02  Corp Offers Today"});
  ui.TrayNotify(Host(), 0x204);
  EXPECT_EQ(ui.Get(C("view1")).selected_row, 2u);
  EXPECT_FALSE(ui.Get(C("drawnButton5")).enabled);

  // Apply keeps the managed entry's figures: it is still in the list that burns.
  ui.Click(C("drawnButton9"));
  EXPECT_EQ(world.sim.files.Get(hits_path),
            "Quellix burn figures 1\r\n1\t12/7/2026 11:15:02 PM\tcorp offers\r\n");
}

TEST_F(ManagedListWindowTest, ManagedRowsCannotBeEditedRemovedStoredOrExported) {
  Start();
  OpenWindow();
  const auto view1 = C("view1");
  ui.ItemClick(view1, 2);
  EXPECT_FALSE(ui.Get(C("drawnButton5")).enabled);  // Edit
  EXPECT_FALSE(ui.Get(C("drawnButton6")).enabled);  // Remove
  ui.DoubleClick(view1);
  EXPECT_FALSE(main->BlockList().Editor().Loaded());
  main->BlockList().Remove();  // even when asked directly: no question, nothing removed
  EXPECT_TRUE(world.sim.messages.shown.empty());
  EXPECT_EQ(Rows(), 2u);

  // The user's own row offers both again.
  ui.ItemClick(view1, 1);
  EXPECT_TRUE(ui.Get(C("drawnButton5")).enabled);
  EXPECT_TRUE(ui.Get(C("drawnButton6")).enabled);

  // An entry added goes before the managed rows; Apply and Export write the user's only.
  main->AppendEntry("added");
  ASSERT_EQ(Rows(), 3u);
  EXPECT_EQ(Row(2)[0], "added");
  EXPECT_EQ(Row(3)[0], "corp offers");
  EXPECT_EQ(Row(3)[3], "Yes");
  ui.Click(C("drawnButton9"));  // Apply
  EXPECT_EQ(world.sim.files.Get(list_path), "casino\r\nadded\r\n");
  world.sim.file_dialogs.answers = {std::string("D:\\out.pao")};
  ui.Click(C("drawnButton11"));  // Export
  EXPECT_EQ(world.sim.files.Get("D:\\out.pao"), "casino\r\nadded\r\n");

  // Removing the user's last entry leaves the managed row where it was, and the selection
  // that now falls on it removes nothing.
  ui.ItemClick(view1, 2);
  world.sim.messages.answers.push_back(platform::MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));
  EXPECT_EQ(Rows(), 2u);
  EXPECT_EQ(Row(2)[0], "corp offers");
  main->BlockList().Remove();
  EXPECT_EQ(Rows(), 2u);
  EXPECT_EQ(main->DisplayedList().Texts(), Strings{"casino"});

  // Imported entries go before the managed rows too.
  world.sim.files.Put("D:\\in.pao", "one\r\ntwo\r\n");
  world.sim.file_dialogs.answers = {std::string("D:\\in.pao")};
  ui.Click(C("drawnButton12"));  // Import
  ASSERT_EQ(Rows(), 4u);
  EXPECT_EQ(Row(2)[0], "one");
  EXPECT_EQ(Row(3)[0], "two");
  EXPECT_EQ(Row(4)[0], "corp offers");
  EXPECT_EQ(Row(4)[3], "Yes");

  // Save and reload (an edit's OK) stores the user's entries and shows the managed after them.
  main->Run(tray::MainCommand::kSaveAndReload);
  EXPECT_EQ(world.sim.files.Get(list_path), "casino\r\none\r\ntwo\r\n");
  EXPECT_EQ(Row(4)[0], "corp offers");
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"casino", "one", "two", "corp offers"}));
}

TEST_F(ManagedListWindowTest, WithoutUserEntriesOnlyTheManagedListBurns) {
  Policy(settings::kPolicyAllowUserEntries, 0u);
  Start();
  EXPECT_EQ(world.state.block_entries.Entries(), Strings{"corp offers"});
  const auto own = PopUp("Casino Night - Microsoft Internet Explorer");
  const auto managed = PopUp("Corp Offers - Microsoft Internet Explorer");
  Tick();
  EXPECT_FALSE(Burned(own));
  EXPECT_TRUE(Burned(managed));
  EXPECT_EQ(world.Option("cnt"), "1");

  // The policy lifted: the user's entries burn from the next tick on.
  Policy(settings::kPolicyAllowUserEntries, 1u);
  Tick();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"casino", "corp offers"}));
  Tick();
  EXPECT_TRUE(Burned(own));
}

TEST_F(ManagedListWindowTest, TheTrayTickRefreshesTheListAtItsIntervalAndAPathChangeAtOnce) {
  Start();
  const std::size_t stamps = world.sim.files.StampRequests();
  world.sim.files.SetNow(5000);
  world.sim.files.Put(kManagedPath, "new offers\r\n");
  for (int i = 0; i < 4; ++i) Tick(3 * kMinute);  // 12 minutes
  EXPECT_EQ(world.sim.files.StampRequests(), stamps);
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"casino", "corp offers"}));
  Tick(3 * kMinute);  // 15
  EXPECT_EQ(world.sim.files.StampRequests(), stamps + 1);
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"casino", "new offers"}));
  EXPECT_EQ(world.sim.files.Get(copy_path), "new offers\r\n");
  OpenWindow();
  EXPECT_EQ(Row(2)[0], "new offers");
  ui.MinimizeByUser(main->Form());

  // Another path is read at the tick after the policy changes, whatever the interval.
  world.sim.files.Put("D:\\second.apo", "second\r\n");
  Policy(settings::kPolicyBlockListPath, "D:\\second.apo");
  Tick();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"casino", "second"}));
}

TEST_F(ManagedListWindowTest, TheKeptCopyBurnsAtStartWhenThePathCannotBeRead) {
  world.sim.files.Put(copy_path, "kept offers\r\n");
  world.sim.files.RemoveFile(kManagedPath);
  Start();
  EXPECT_EQ(world.state.block_entries.Entries(), (Strings{"casino", "kept offers"}));
  const auto popup = PopUp("Kept Offers - Microsoft Internet Explorer");
  Tick();
  EXPECT_TRUE(Burned(popup));
}

TEST_F(ManagedListWindowTest, WithoutUsersOwnListTheManagedListStillBurns) {
  world.sim.files.RemoveFile(list_path);
  world.sim.messages.answers.push_back(platform::MessageAnswer::kOk);
  Start();
  EXPECT_EQ(world.state.block_entries.Entries(), Strings{"corp offers"});
}

TEST_F(ManagedListWindowTest, TheInformationWindowTellsHowTheManagedListStands) {
  world.sim.files.Put(copy_path, "kept\r\n");
  world.sim.files.RemoveFile(kManagedPath);
  Start();
  main->OpenInformation();
  const auto form = main->Info().Form();
  const auto label = [&](const char* name) { return ui.Text(ui.Find(form, name)); };
  EXPECT_EQ(label("lblManaged1"), "Managed block list: \\\\server\\policies\\corp.apo");
  EXPECT_EQ(label("lblManaged2"), "Entries: 1 (from the kept copy)    Last read: not yet");
  EXPECT_EQ(label("lblManaged3"),
            "Last error: It could not be reached: The system cannot find the file specified.");
  ui.CloseByUser(form);

  world.sim.files.Put(kManagedPath, "one\r\ntwo\r\n");
  world.sim.clock.time = "9:00:00 AM";
  Tick(15 * kMinute);
  main->OpenInformation();
  const auto again = main->Info().Form();
  EXPECT_EQ(ui.Text(ui.Find(again, "lblManaged2")), "Entries: 2    Last read: 12/7/2026 9:00:00 AM");
  EXPECT_EQ(ui.Text(ui.Find(again, "lblManaged3")), "Last error: none");
}

TEST_F(ManagedListWindowTest, TheInformationWindowSaysWhenNoPolicyNamesAList) {
  world.sim.registry.Put(RegistryRoot::kLocalMachine, settings::kPolicyKey, settings::kPolicyBlockListPath,
                         platform::regtype::kDword, Dword(1));  // of the wrong type: no path
  Start();
  EXPECT_EQ(world.state.block_entries.Entries(), Strings{"casino"});
  main->OpenInformation();
  EXPECT_EQ(ui.Text(ui.Find(main->Info().Form(), "lblManaged1")), "Managed block list: none");
}

}  // namespace
}  // namespace quellix::ui
