// The rules for other programs' windows in the burn cycle and at once: what they act on, the
// safety they keep, and the traces each action leaves.
#include "engine/rule_judge.h"

#include <gtest/gtest.h>

#include "engine/burn_cycle.h"
#include "rules/rule.h"
#include "test_world.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

using quellix::testing::World;
using rules::Rule;
using rules::RuleAction;

constexpr std::uint32_t kShown = sim::kOverlappedWindowStyle | kVisibleStyle;
constexpr std::uint32_t kNagware = 10, kOther = 20, kExplorer = 30, kElevated = 40, kHung = 50, kOwn = 60;
constexpr std::uint32_t kLater = 2, kBuyNow = 1;

Rule Close(std::string program, std::string class_name, std::string title, std::string text = "") {
  return {std::move(program), std::move(class_name), std::move(title), std::move(text), {RuleAction::Kind::kClose, {}}};
}
Rule Press(std::string program, std::string title, std::string button) {
  return {std::move(program), "", std::move(title), "", {RuleAction::Kind::kPress, std::move(button)}};
}

class RuleJudgeTest : public ::testing::Test {
 protected:
  World world;
  sim::SimDesktop& desktop = world.sim.desktop;

  void SetUp() override {
    world.SetOption("7", "1");
    desktop.SetProcessImage(kNagware, "C:\\Program Files\\Nag\\NagWare.exe");
    desktop.SetProcessImage(kOther, "C:\\Tools\\other.exe");
    desktop.SetProcessImage(kExplorer, "C:\\Windows\\explorer.exe");
    desktop.SetProcessImage(kElevated, "C:\\Program Files\\Nag\\nagware.exe");
    desktop.SetProcessImage(kHung, "C:\\Program Files\\Nag\\nagware.exe");
    desktop.SetHigherRights(kElevated);
    Tick();  // the program's first tick: what is open now is old
  }
  void Use(std::vector<Rule> rules) {
    world.state.rules.active.clear();
    for (const Rule& r : rules) world.state.rules.active.emplace_back(r, world.sim.code_page);
  }
  platform::WindowId Open(std::string class_name, std::string caption, std::uint32_t process,
                          std::vector<sim::SimChild> children = {}, bool ignores_close = false, bool hung = false) {
    sim::SimWindowSpec spec{std::move(class_name), std::move(caption), kShown, ignores_close, process};
    spec.children = std::move(children);
    spec.hung = hung;
    const auto id = desktop.AddWindow(std::move(spec));
    desktop.BringToTop(id);
    desktop.BringToTop(desktop.AddWindow("Shell_TrayWnd", ""));
    return id;
  }
  std::vector<sim::SimChild> Dialog(std::string message) {
    return {{"Static", std::move(message), 65535}, {"Button", "Buy &now", kBuyNow}, {"Button", "Remind me &later", kLater}};
  }
  void Tick(std::uint64_t ms = 3000) {
    world.sim.clock.monotonic_ms += ms;
    BurnCycle(world.services(), world.state, world.app_folder, world.own_window);
    desktop.DeliverCloseRequests();
  }
  std::size_t Records() const { return world.Log().size() / 150; }
};

TEST_F(RuleJudgeTest, AYoungDialogOfTheNamedProgramClosesAndItsMainWindowStays) {
  Use({Close("nagware.exe", "#32770", "Update available")});
  const auto main_window = Open("NagWareMain", "NagWare - Update available", kNagware);
  const auto dialog = Open("#32770", "Update available", kNagware, Dialog("A new version is ready."));
  const auto others = Open("#32770", "Update available", kOther, Dialog("A new version is ready."));
  Tick();
  EXPECT_EQ(desktop.CloseRequests(dialog), 1);
  EXPECT_FALSE(desktop.Exists(dialog));
  EXPECT_EQ(desktop.CloseRequests(main_window), 0);  // another class
  EXPECT_EQ(desktop.CloseRequests(others), 0);       // another program
  // Counted, logged with the program's name, and told to the figures.
  EXPECT_EQ(world.Option("cnt"), "1");
  ASSERT_EQ(Records(), 1u);
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(0, 30)), "nagware.exe");
  EXPECT_EQ(text::TrimBlanks(world.Log().substr(50, 100)), "Update available");
  ASSERT_EQ(world.state.acted_this_tick.size(), 1u);
  EXPECT_EQ(world.state.acted_this_tick[0].rule, "nagware.exe\t#32770\tUpdate available\t\tclose");
}

TEST_F(RuleJudgeTest, APressRuleClicksItsButtonAndNoOther) {
  Use({Press("nagware.exe", "Trial", "remind me LATER")});
  const auto trial = Open("#32770", "Your Trial ends", kNagware, Dialog("3 days left."));
  const auto without = Open("#32770", "Trial", kNagware, {{"Button", "OK", 1}});
  Tick();
  EXPECT_EQ(desktop.ButtonClicks(trial), std::vector<std::uint32_t>{kLater});
  EXPECT_EQ(desktop.CloseRequests(trial), 0);
  // A window without the named button is left as it is: no click, no count, no record.
  EXPECT_TRUE(desktop.ButtonClicks(without).empty());
  EXPECT_EQ(world.Option("cnt"), "1");
}

TEST_F(RuleJudgeTest, ATextRuleReadsTheDialogsMessageOnlyWhenTheRestMatches) {
  Use({Close("nagware.exe", "#32770", "Notice", "buy ink now")});
  const auto ink = Open("#32770", "Notice", kNagware, Dialog("Your printer is low. Buy INK now!"));
  const auto other_text = Open("#32770", "Notice", kNagware, Dialog("The job is printed."));
  const auto other_title = Open("#32770", "Printing", kNagware, Dialog("Buy ink now"));
  Tick();
  EXPECT_EQ(desktop.CloseRequests(ink), 1);
  EXPECT_EQ(desktop.CloseRequests(other_text), 0);
  EXPECT_EQ(desktop.CloseRequests(other_title), 0);
  EXPECT_EQ(desktop.ChildQueries(other_title), 0);  // its title already failed: no text asked
  // A hidden static text is no part of the message.
  const auto hidden = Open("#32770", "Notice", kNagware, {{"Static", "Buy ink now", 1, /*visible=*/false}});
  Tick();
  EXPECT_EQ(desktop.CloseRequests(hidden), 0);
}

TEST_F(RuleJudgeTest, OnlyYoungShownWindowsAreActedOn) {
  Use({Close("nagware.exe", "", "Update")});
  const auto own = Open("NagWareMain", "NagWare", kNagware);
  Tick();
  for (int i = 0; i < 4; ++i) Tick();  // 12 s: the window is old now
  desktop.SetCaption(own, "NagWare - Update available");
  Tick();
  EXPECT_EQ(desktop.CloseRequests(own), 0);
  sim::SimWindowSpec hidden{"#32770", "Update", sim::kOverlappedWindowStyle, false, kNagware};
  const auto invisible = desktop.AddWindow(hidden);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(invisible), 0);
}

TEST_F(RuleJudgeTest, ProtectedProgramsTheProgramsOwnAndElevatedOnesAreNeverTouched) {
  // A rule can name explorer.exe only by getting past its reader; the judge refuses it too.
  Use({Close("explorer.exe", "", "Update"), Close("nagware.exe", "", "Update")});
  const auto shell = Open("CabinetWClass", "Update", kExplorer);
  const auto elevated = Open("#32770", "Update", kElevated);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(shell), 0);
  EXPECT_EQ(desktop.CloseRequests(elevated), 0);
  ASSERT_EQ(world.state.rules.to_tell.size(), 1u);  // told once
  EXPECT_NE(world.state.rules.to_tell[0].find("higher rights"), std::string::npos);
  Tick();
  EXPECT_EQ(world.state.rules.to_tell.size(), 1u);
  EXPECT_EQ(world.Option("cnt"), "<absent>");
  // The program's own windows, whatever a rule says.
  World w;
  w.sim.desktop.SetProcessImage(kOwn, "C:\\Program Files\\Quellix\\quellix.exe");
  const auto own_window = w.sim.desktop.AddWindow({"ThunderRT6FormDC", "Quellix", kShown, false, kOwn});
  w.state.rules.active.emplace_back(Close("quellix.exe", "", "Update"), w.sim.code_page);
  w.sim.desktop.BringToTop(w.sim.desktop.AddWindow({"#32770", "Update", kShown, false, kOwn}));
  w.sim.desktop.BringToTop(w.sim.desktop.AddWindow("Shell_TrayWnd", ""));
  w.sim.clock.monotonic_ms = 3000;
  BurnCycle(w.services(), w.state, w.app_folder, own_window);
  w.sim.clock.monotonic_ms = 6000;
  const auto dialog = w.sim.desktop.AddWindow({"#32770", "Update", kShown, false, kOwn});
  w.sim.desktop.BringToTop(dialog);
  BurnCycle(w.services(), w.state, w.app_folder, own_window);
  EXPECT_EQ(w.sim.desktop.CloseRequests(dialog), 0);
}

TEST_F(RuleJudgeTest, AWindowStillThereAfterTwoActionsIsLeftAloneAndToldOnce) {
  Use({Close("nagware.exe", "#32770", "Update")});
  const auto stubborn = Open("#32770", "Update", kNagware, {}, /*ignores_close=*/true);
  for (int i = 0; i < 3; ++i) Tick(1000);
  EXPECT_EQ(desktop.CloseRequests(stubborn), 2);
  EXPECT_EQ(world.Option("cnt"), "2");
  ASSERT_EQ(world.state.rules.to_tell.size(), 1u);
  EXPECT_NE(world.state.rules.to_tell[0].find("does not go away"), std::string::npos);
  Tick(1000);
  EXPECT_EQ(world.state.rules.to_tell.size(), 1u);
}

TEST_F(RuleJudgeTest, AHungProgramIsNotJudgedByItsTextAndHoldsNothingUp) {
  Use({Close("nagware.exe", "#32770", "Update", "new version")});
  const auto hung = Open("#32770", "Update", kHung, Dialog("A new version"), false, /*hung=*/true);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(hung), 0);
  EXPECT_EQ(desktop.ChildQueries(hung), 1);
}

TEST_F(RuleJudgeTest, RulesActTheMomentAWindowAppears) {
  Use({Close("nagware.exe", "#32770", "Update")});
  const auto dialog = Open("#32770", "Update available", kNagware);
  const AtOnce seen = BurnAtOnce(world.services(), world.state, world.app_folder, kOwn, dialog);
  EXPECT_FALSE(seen.burned);
  ASSERT_TRUE(seen.acted);
  EXPECT_EQ(seen.acted->program, "nagware.exe");
  EXPECT_EQ(desktop.CloseRequests(dialog), 1);
  // Not again until the next cycle.
  EXPECT_FALSE(BurnAtOnce(world.services(), world.state, world.app_folder, kOwn, dialog).acted);
}

TEST_F(RuleJudgeTest, ARuleOffByPolicyOrNoRulesCostNoProcessLookUp) {
  Use({Close("nagware.exe", "#32770", "Update")});
  world.state.rules.enabled = false;
  const auto dialog = Open("#32770", "Update", kNagware);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(dialog), 0);
  EXPECT_EQ(desktop.ImageLookups(kNagware), 0);
  // A class no rule names costs no look-up either.
  world.state.rules.enabled = true;
  Open("Notepad", "Update", kNagware);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(dialog), 1);
  EXPECT_EQ(desktop.ImageLookups(kNagware), 1);  // one for the dialog's process, in that walk
}

TEST_F(RuleJudgeTest, AWindowsProcessIsAskedForOnceWhileItLivesNotAtEveryWalk) {
  // A rule of any class: every window is judged by its program.
  Use({Close("nagware.exe", "", "Your trial ends")});
  const auto notes = Open("Notepad", "Notes", kOther);
  const auto main_window = Open("NagWareMain", "NagWare", kNagware);
  for (int i = 0; i < 4; ++i) Tick();
  EXPECT_EQ(desktop.ProcessQueries(notes), 1);
  EXPECT_EQ(desktop.ProcessQueries(main_window), 1);
  const std::size_t known = world.state.rules.processes.Known();
  // A window that goes is forgotten at the end of the walk that no longer meets it.
  desktop.VanishAfter(notes, 0);
  Tick();
  Tick();
  EXPECT_FALSE(desktop.Exists(notes));
  EXPECT_EQ(world.state.rules.processes.Known(), known - 1);
  // And its rule still acts on a window of the named program that appears later.
  const auto nag = Open("#32770", "Your trial ends today", kNagware);
  Tick();
  EXPECT_EQ(desktop.CloseRequests(nag), 1);
  EXPECT_EQ(desktop.CloseRequests(main_window), 0);
}

}  // namespace
}  // namespace quellix::engine
