// The rules page and its dialog as the user meets them: a rule typed or taken from the open
// windows, what it would name while it is typed, stored at once and acting at the next tick;
// edited, removed, exported and imported; the organisation's rules shown but not the user's
// to change.
#include <gtest/gtest.h>

#include "dword_bytes.h"
#include "main_window_rig.h"
#include "rules/rules_file.h"
#include "settings/policy_table.h"

namespace quellix::ui {
namespace {

using platform::RegistryRoot;
using quellix::testing::Dword;

constexpr std::uint32_t kNagware = 10, kShell = 20;
constexpr char kHeader[] = "program\tclass\ttitle\ttext\taction\r\n";

class RulesPageTest : public quellix::testing::MainWindowRig {
 protected:
  std::string rules_path = rules::RulesPath(world.data_folder);

  void SetUp() override {
    world.state.burning.TurnOff();
    world.sim.files.Put(list_path, "casino\r\n");
    world.sim.desktop.SetProcessImage(kNagware, "C:\\Program Files\\Nag\\NagWare.exe");
    world.sim.desktop.SetProcessImage(kShell, "C:\\Windows\\explorer.exe");
    Start();
    ui.TrayNotify(Host(), 0x203);  // the main window opens
    ui.Click(C("drawnButton30"));  // on the rules page
  }
  platform::WindowId Window(std::string class_name, std::string caption, std::uint32_t process,
                            std::vector<sim::SimChild> children = {}) {
    sim::SimWindowSpec spec{std::move(class_name), std::move(caption), sim::kOverlappedWindowStyle | 0x10000000u,
                            false, process};
    spec.children = std::move(children);
    const auto id = world.sim.desktop.AddWindow(std::move(spec));
    world.sim.desktop.BringToTop(id);
    return id;
  }
  rules::RulesPage& Page() { return main->RulesPage(); }
  const rules::RuleDialog::Controls& Dialog() { return Page().Dialog().Parts(); }
  std::string Preview() { return ui.Text(Dialog().preview); }
  std::string Stored() { return world.sim.files.Get(rules_path).value_or("<none>"); }
};

TEST_F(RulesPageTest, ARuleTypedIsPreviewedStoredAtOnceAndActsAtTheNextTick) {
  Window("#32770", "Update available", kNagware, {{"Static", "A new version is ready", 1}});
  Window("#32770", "Update available", kNagware, {{"Static", "You have the latest version", 1}});
  ui.Click(Page().Bar().add);
  ASSERT_TRUE(Page().Dialog().Loaded());
  EXPECT_EQ(Preview(), "The program is missing.");
  ui.Type(Dialog().program, "nagware.exe");
  ui.Type(Dialog().class_name, "#32770");
  ui.Type(Dialog().title, "update");
  EXPECT_EQ(Preview(), "Names 2 of the windows open now");
  ui.Type(Dialog().text, "new version");
  EXPECT_EQ(Preview(), "Names 1 of the windows open now");
  ui.Click(Dialog().ok);
  EXPECT_FALSE(Page().Dialog().Loaded());
  EXPECT_EQ(Stored(), std::string(kHeader) + "nagware.exe\t#32770\tupdate\tnew version\tclose\r\n");
  ASSERT_EQ(ui.ListCount(Page().List()), 1u);
  EXPECT_EQ(ui.Get(Page().List()).rows.at(0).first,
            (std::vector<std::string>{"nagware.exe", "#32770", "update", "new version", "close", "", "", ""}));
  // Back in the tray, a young window it names burns.
  ui.Click(C("drawnButton8"));
  world.sim.clock.monotonic_ms += 3000;
  ui.AdvanceTime(3000);
  const auto fresh = Window("#32770", "Update available", kNagware, {{"Static", "A new version is ready", 1}});
  world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
  world.sim.clock.monotonic_ms += 3000;
  ui.AdvanceTime(3000);
  EXPECT_EQ(world.sim.desktop.CloseRequests(fresh), 1);
}

TEST_F(RulesPageTest, AnOpenWindowTakenFillsTheFieldsAndThePressActionIsOffered) {
  Window("#32770", "Your trial ends", kNagware);
  Window("CabinetWClass", "Documents", kShell);  // the shell: never offered
  ui.Click(Page().Bar().add);
  ASSERT_EQ(ui.ListCount(Dialog().windows), 1u);
  ui.ItemClick(Dialog().windows, 1);
  EXPECT_EQ(ui.Text(Dialog().program), "nagware.exe");
  EXPECT_EQ(ui.Text(Dialog().class_name), "#32770");
  EXPECT_EQ(ui.Text(Dialog().title), "Your trial ends");
  EXPECT_EQ(Preview(), "Names 1 of the windows open now");
  ui.Type(Dialog().button, "Remind me &later");  // typing a caption chooses the press action
  EXPECT_EQ(ui.Value(Dialog().press), 1);
  ui.Click(Dialog().ok);
  EXPECT_EQ(Stored(), std::string(kHeader) + "nagware.exe\t#32770\tYour trial ends\t\tpress:Remind me &later\r\n");
}

TEST_F(RulesPageTest, TheCrosshairLetGoOverAWindowFillsTheFieldsButNeverFromTheShellOrQuellix) {
  const auto nag = Window("#32770", "Update available", kNagware);
  const auto shell = Window("CabinetWClass", "Documents", kShell);
  ui.Click(Page().Bar().add);
  ASSERT_NE(Dialog().finder, 0u);
  ui.PickWindow(Dialog().finder, nag);
  EXPECT_EQ(ui.Text(Dialog().program), "nagware.exe");  // narrowest first: program, class, title
  EXPECT_EQ(ui.Text(Dialog().class_name), "#32770");
  EXPECT_EQ(ui.Text(Dialog().title), "Update available");
  EXPECT_EQ(Preview(), "Names 1 of the windows open now");
  // The shell's window, the program's own and none at all leave the fields as they are.
  ui.PickWindow(Dialog().finder, shell);
  EXPECT_EQ(Preview(), "No rule may name that window: it is Quellix's own or the system's");
  ui.PickWindow(Dialog().finder, main->OwnWindow());
  ui.PickWindow(Dialog().finder, 0);
  EXPECT_EQ(ui.Text(Dialog().program), "nagware.exe");
  EXPECT_EQ(ui.Text(Dialog().title), "Update available");
}

TEST_F(RulesPageTest, EnterIsOkAndEscapeIsCancelInTheRuleDialogAndNowhereElse) {
  ui.Click(Page().Bar().add);
  ui.Type(Dialog().program, "nagware.exe");
  ui.Type(Dialog().title, "Update");
  const platform::UiId dialog = Dialog().form;
  EXPECT_TRUE(ui.PressKey(dialog, platform::DialogKey::kEnter));
  EXPECT_FALSE(Page().Dialog().Loaded());
  EXPECT_EQ(Stored(), std::string(kHeader) + "nagware.exe\t\tUpdate\t\tclose\r\n");
  ui.Click(Page().Bar().add);
  ui.Type(Dialog().program, "other.exe");
  ui.Type(Dialog().title, "Trial");
  EXPECT_TRUE(ui.PressKey(Dialog().form, platform::DialogKey::kEscape));
  EXPECT_FALSE(Page().Dialog().Loaded());
  EXPECT_EQ(Stored(), std::string(kHeader) + "nagware.exe\t\tUpdate\t\tclose\r\n");  // nothing added
  // The main window lets the keys go on to its controls.
  EXPECT_FALSE(ui.PressKey(main->Form(), platform::DialogKey::kEscape));
}

TEST_F(RulesPageTest, WhatIsNoRuleIsRefusedWithItsReasonAndTheDialogStays) {
  ui.Click(Page().Bar().add);
  ui.Type(Dialog().program, "explorer.exe");
  ui.Type(Dialog().title, "x");
  ui.Click(Dialog().ok);
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_NE(world.sim.messages.shown[0].text.find("never acts on the windows of explorer.exe"), std::string::npos);
  EXPECT_TRUE(Page().Dialog().Loaded());
  ui.Type(Dialog().title, "a\tb");
  ui.Type(Dialog().program, "a.exe");
  ui.Click(Dialog().ok);
  EXPECT_NE(world.sim.messages.shown.back().text.find("tab or a line break"), std::string::npos);
  EXPECT_EQ(Stored(), "<none>");
}

TEST_F(RulesPageTest, EditRemoveAndABadLineKeptAsItIs) {
  world.sim.files.Put(rules_path, std::string(kHeader) + "# mine\r\nnagware.exe\t\tUpdate\t\tclose\r\nnot a rule\r\n");
  main.reset();
  world.state.rules = {};
  Start();
  ui.TrayNotify(Host(), 0x203);
  ui.Click(C("drawnButton30"));
  ASSERT_EQ(ui.ListCount(Page().List()), 2u);
  EXPECT_EQ(ui.ListText(Page().List(), 2), "not a rule");
  EXPECT_EQ(ui.Get(Page().List()).rows.at(1).first[4].rfind("(no rule)", 0), 0u);
  ui.ItemClick(Page().List(), 1);
  ui.DoubleClick(Page().List());
  EXPECT_EQ(ui.Text(Dialog().title), "Update");
  ui.Type(Dialog().title, "Update available");
  ui.Click(Dialog().ok);
  EXPECT_EQ(Stored(), std::string(kHeader) + "# mine\r\nnagware.exe\t\tUpdate available\t\tclose\r\nnot a rule\r\n");
  world.sim.messages.answers = {platform::MessageAnswer::kYes};
  ui.ItemClick(Page().List(), 1);
  ui.Click(Page().Bar().remove);
  EXPECT_EQ(Stored(), std::string(kHeader) + "# mine\r\nnot a rule\r\n");
}

TEST_F(RulesPageTest, ExportAndImportCarryTheRules) {
  world.sim.files.Put("D:\\in.rules", std::string(kHeader) + "ink.exe\t\t\tBuy ink\tclose\r\n");
  world.sim.file_dialogs.answers = {std::string("D:\\in.rules"), std::string("D:\\out.rules")};
  ui.Click(Page().Bar().import_rules);
  EXPECT_EQ(Stored(), std::string(kHeader) + "ink.exe\t\t\tBuy ink\tclose\r\n");
  ui.Click(Page().Bar().export_rules);
  EXPECT_EQ(world.sim.files.Get("D:\\out.rules"), Stored());
  // A file that is no rules file imports nothing and says so.
  world.sim.files.Put("D:\\bad.rules", "nothing\r\n");
  world.sim.file_dialogs.answers = {std::string("D:\\bad.rules")};
  ui.Click(Page().Bar().import_rules);
  EXPECT_NE(world.sim.messages.shown.back().text.find("could not be imported"), std::string::npos);
  EXPECT_EQ(Stored(), std::string(kHeader) + "ink.exe\t\t\tBuy ink\tclose\r\n");
}

TEST_F(RulesPageTest, AFailedStoreSaysWhyAndKeepsTheRulesAsTheyWere) {
  world.sim.files.Put(rules_path, std::string(kHeader) + "nagware.exe\t\tUpdate\t\tclose\r\n");
  main.reset();
  world.state.rules = {};
  Start();
  ui.TrayNotify(Host(), 0x203);
  ui.Click(C("drawnButton30"));
  world.sim.files.Lock(rules_path);
  world.sim.messages.answers = {platform::MessageAnswer::kYes};
  ui.ItemClick(Page().List(), 1);
  ui.Click(Page().Bar().remove);
  ASSERT_FALSE(world.sim.messages.shown.empty());
  EXPECT_NE(world.sim.messages.shown.back().text.find("could not be saved"), std::string::npos);
  EXPECT_EQ(ui.ListCount(Page().List()), 1u);
  EXPECT_EQ(world.state.rules.active.size(), 1u);
}

TEST_F(RulesPageTest, TheOrganisationsRulesAreShownMarkedAndAPolicyClosesEditing) {
  world.sim.files.Put("\\\\srv\\r.rules", std::string(kHeader) + "ink.exe\t\t\tBuy ink\tclose\r\n");
  world.sim.registry.PutString(RegistryRoot::kLocalMachine, settings::kPolicyKey, settings::kPolicyRulesPath,
                               "\\\\srv\\r.rules");
  world.sim.registry.Put(RegistryRoot::kLocalMachine, settings::kPolicyKey, settings::kPolicyAllowUserRules,
                         platform::regtype::kDword, Dword(0));
  main.reset();
  world.state.rules = {};
  Start();
  ui.TrayNotify(Host(), 0x203);
  ui.Click(C("drawnButton30"));
  ASSERT_EQ(ui.ListCount(Page().List()), 1u);
  EXPECT_EQ(ui.Get(Page().List()).rows.at(0).first.back(), "Yes");
  EXPECT_FALSE(ui.Get(Page().Bar().add).enabled);
  EXPECT_FALSE(ui.Get(Page().Bar().import_rules).enabled);
  ui.ItemClick(Page().List(), 1);
  EXPECT_FALSE(ui.Get(Page().Bar().edit).enabled);
  ui.Click(Page().Bar().add);  // disabled: nothing opens
  EXPECT_FALSE(Page().Dialog().Loaded());
  EXPECT_EQ(ui.Text(Page().Note()), "Some settings are managed by your organization.");
}

}  // namespace
}  // namespace quellix::ui
