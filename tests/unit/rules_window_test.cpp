// The rules in the whole program: read from popcfg.rules at start, acting at the tray's
// ticks, their figures stored, the organisation's rules beside the user's, and the policies
// that turn them off or keep the user's own from acting.
#include <gtest/gtest.h>

#include "dword_bytes.h"
#include "main_window_rig.h"
#include "rules/managed_rules.h"
#include "rules/rule_book.h"
#include "settings/policy_table.h"

namespace quellix::ui {
namespace {

using platform::RegistryRoot;
using quellix::testing::Dword;

constexpr std::uint32_t kNagware = 10;
constexpr char kHeader[] = "program\tclass\ttitle\ttext\taction\r\n";
constexpr char kManagedPath[] = "\\\\server\\policies\\corp.rules";

class RulesWindowTest : public quellix::testing::MainWindowRig {
 protected:
  std::string rules_path = rules::RulesPath(world.data_folder);
  std::string figures_path = world.data_folder + "\\popcfg.rulehits";
  std::string kept_path = world.data_folder + "\\popcfg.managedrules";

  void SetUp() override {
    world.state.burning.TurnOff();
    world.sim.files.Put(list_path, "casino\r\n");
    world.SetOption("7", "1");
    world.sim.desktop.SetProcessImage(kNagware, "C:\\Program Files\\Nag\\nagware.exe");
    world.sim.files.Put(rules_path, std::string(kHeader) + "nagware.exe\t#32770\tUpdate available\t\tclose\r\n");
    world.sim.files.Put(kManagedPath, std::string(kHeader) + "nagware.exe\t#32770\tBuy ink\t\tclose\r\n");
  }
  void Policy(std::string_view name, std::string text) {
    world.sim.registry.PutString(RegistryRoot::kLocalMachine, settings::kPolicyKey, name, std::move(text));
  }
  void Policy(std::string_view name, std::uint32_t n) {
    world.sim.registry.Put(RegistryRoot::kLocalMachine, settings::kPolicyKey, name, platform::regtype::kDword,
                           Dword(n));
  }
  platform::WindowId Nag(std::string caption) {
    const auto id = world.sim.desktop.AddWindow(
        sim::SimWindowSpec{"#32770", std::move(caption), sim::kOverlappedWindowStyle | 0x10000000u, false, kNagware});
    world.sim.desktop.BringToTop(id);
    world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  void Tick() {
    world.sim.clock.monotonic_ms += 3000;
    ui.AdvanceTime(3000);
    world.sim.desktop.DeliverCloseRequests();
  }
  int Closes(platform::WindowId id) { return world.sim.desktop.CloseRequests(id); }
};

TEST_F(RulesWindowTest, WithInstantOnADialogShownAfterItWasMadeIsActedOnAsItShows) {
  world.SetOption("instant", "1");
  Start();
  Tick();
  constexpr std::uint32_t kHidden = sim::kOverlappedWindowStyle, kShown = kHidden | 0x10000000u;
  // Made hidden, as a dialog box is, and told of; `shown_after` ms later it is shown with no
  // event the program is told of, and `ms` after that the close requests are delivered.
  const auto shown_later = [&](std::uint64_t shown_after, std::uint64_t ms) {
    const auto id = world.sim.desktop.AddWindow(sim::SimWindowSpec{"#32770", "Update available", kHidden, false, kNagware});
    world.sim.desktop.BringToTop(id);
    world.sim.desktop.DeliverWindowEvents();
    world.sim.desktop.DeliverCloseRequests();
    EXPECT_EQ(Closes(id), 0);  // never a hidden window
    world.sim.clock.monotonic_ms += shown_after;
    ui.AdvanceTime(shown_after);
    world.sim.desktop.SetStyle(id, kShown);
    world.sim.clock.monotonic_ms += ms;
    ui.AdvanceTime(ms);
    world.sim.desktop.DeliverCloseRequests();
    return id;
  };
  const auto update = shown_later(300, 60);
  EXPECT_EQ(Closes(update), 1);  // within a look, long before the tick
  EXPECT_EQ(world.Option("cnt"), "1");
  // One that stays hidden longer than a dialog takes to show is left to the ticks.
  const auto late = shown_later(2100, 100);
  EXPECT_EQ(Closes(late), 0);
}

TEST_F(RulesWindowTest, TheUsersRulesActAtTheTicksAndTheirFiguresAreStored) {
  Start();
  Tick();  // the first tick meets what is open as old
  const auto update = Nag("Update available");
  const auto ink = Nag("Buy ink now");
  Tick();
  EXPECT_EQ(Closes(update), 1);
  EXPECT_EQ(Closes(ink), 0);  // no managed rules without the policy
  EXPECT_EQ(world.Option("cnt"), "1");
  const std::optional<std::string> figures = world.sim.files.Get(figures_path);
  ASSERT_TRUE(figures);
  // The rule's tabs written as \t, as the figures file writes every tab inside a text.
  EXPECT_NE(figures->find("1\t12/7/2026 11:15:02 PM\tnagware.exe\\t#32770\\tUpdate available\\t\\tclose"),
            std::string::npos)
      << *figures;
  // Read back at the next start.
  main.reset();
  world.state.rules = {};
  Start();
  EXPECT_EQ(world.state.rules.figures.Of("nagware.exe\t#32770\tUpdate available\t\tclose").burned, 1u);
}

TEST_F(RulesWindowTest, TheOrganisationsRulesActBesideTheUsersAndAreKept) {
  Policy(settings::kPolicyRulesPath, kManagedPath);
  Start();
  Tick();
  const auto update = Nag("Update available");
  const auto ink = Nag("Buy ink now");
  Tick();
  EXPECT_EQ(Closes(update), 1);
  EXPECT_EQ(Closes(ink), 1);
  EXPECT_EQ(world.sim.files.Get(kept_path), std::string(kHeader) + "nagware.exe\t#32770\tBuy ink\t\tclose\r\n");
  // Only the organisation's act once AllowUserRules is 0.
  Policy(settings::kPolicyAllowUserRules, 0u);
  Tick();
  const auto update2 = Nag("Update available");
  const auto ink2 = Nag("Buy ink again");
  Tick();
  EXPECT_EQ(Closes(update2), 0);
  EXPECT_EQ(Closes(ink2), 1);
  // The kept copy serves while the file cannot be reached.
  main.reset();
  world.sim.files.RemoveFile(kManagedPath);
  world.state.rules = {};
  world.state.burning.TurnOff();
  Start();
  ASSERT_EQ(world.state.rules.active.size(), 1u);
  EXPECT_EQ(world.state.rules.active[0].Source().title, "Buy ink");
}

TEST_F(RulesWindowTest, EnableRulesZeroTurnsEveryRuleOff) {
  Policy(settings::kPolicyRulesPath, kManagedPath);
  Policy(settings::kPolicyEnableRules, 0u);
  Start();
  Tick();
  const auto update = Nag("Update available");
  const auto ink = Nag("Buy ink now");
  Tick();
  EXPECT_EQ(Closes(update), 0);
  EXPECT_EQ(Closes(ink), 0);
  // On again as soon as the policy goes.
  world.sim.registry.Put(RegistryRoot::kLocalMachine, settings::kPolicyKey, settings::kPolicyEnableRules,
                         platform::regtype::kDword, Dword(1));
  Tick();
  const auto later = Nag("Update available");
  Tick();
  EXPECT_EQ(Closes(later), 1);
}

TEST_F(RulesWindowTest, AWindowOfAProgramWithHigherRightsIsToldOnceInABalloonAndTheInformationWindow) {
  Policy(settings::kPolicyRulesPath, kManagedPath);
  world.sim.desktop.SetHigherRights(kNagware);
  Start();
  Tick();
  const auto update = Nag("Update available");
  Tick();
  Tick();
  EXPECT_EQ(Closes(update), 0);
  std::size_t told = 0;
  for (const auto& balloon : ui.balloons) told += balloon.text.find("higher rights") != std::string::npos;
  EXPECT_EQ(told, 1u);
  main->OpenInformation();
  EXPECT_EQ(ui.Text(ui.Find(main->Info().Form(), "lblRules1")), "Managed rules: \\\\server\\policies\\corp.rules    1 rule");
  EXPECT_NE(ui.Text(ui.Find(main->Info().Form(), "lblRules2")).find("\"Update available\" of nagware.exe"),
            std::string::npos);
}

TEST_F(RulesWindowTest, ARulesFileThatCannotBeReadIsKeptAndNoneOfItActs) {
  const std::string broken = "this is no rules file\r\n";
  world.sim.files.Put(rules_path, broken);
  Start();
  EXPECT_FALSE(main->Rules().Problem().empty());
  EXPECT_TRUE(world.state.rules.active.empty());
  Tick();
  const auto update = Nag("Update available");
  Tick();
  EXPECT_EQ(Closes(update), 0);
  EXPECT_EQ(world.sim.files.Get(rules_path), broken);
}

}  // namespace
}  // namespace quellix::ui
