#include "tray/tray_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "controls/hosted_button.h"
#include "platform/sim/sim_ui.h"

namespace quellix::tray {
namespace {

using platform::NotifyAction;

std::uint32_t U32(const platform::NotifyIconRecord& r, std::size_t offset) {
  return r[offset] | r[offset + 1] << 8 | r[offset + 2] << 16 | static_cast<std::uint32_t>(r[offset + 3]) << 24;
}
std::string Tip(const platform::NotifyIconRecord& r) { return std::string(r.begin() + 24, r.end()); }

struct Recorder : TrayArea::Events {
  std::vector<std::string> seen;
  void MouseMove() override { seen.push_back("move"); }
  void MouseDown(int b) override { seen.push_back("down" + std::to_string(b)); }
  void MouseUp(int b) override { seen.push_back("up" + std::to_string(b)); }
  void DblClick() override { seen.push_back("dbl"); }
};

class TrayAreaTest : public ::testing::Test {
 protected:
  struct NoEvents : platform::UiEvents {} no_events;
  sim::SimUi ui{controls::DrawnProductButtons()};
  platform::UiId form = ui.CreateForm({"Form1", "Quellix", 100, 100}, no_events);
  platform::UiId host = ui.CreateControl(form, {platform::ControlKind::kTrayHost, "TrayArea1", "", {}});
  Recorder events;
  std::optional<TrayArea> tray{std::in_place, ui, host, events};
};

TEST_F(TrayAreaTest, AddingSendsTheWholeRecordOnce) {
  tray->SetIcon(Picture{0x1234});
  ui.notify_calls.clear();
  tray->SetVisible(true);
  tray->SetVisible(true);
  ASSERT_EQ(ui.notify_calls.size(), 1u);
  const auto& [action, r] = ui.notify_calls[0];
  EXPECT_EQ(action, NotifyAction::kAdd);
  EXPECT_EQ(U32(r, 0), 88u);
  EXPECT_EQ(U32(r, 4), ui.NativeWindow(host));
  EXPECT_GE(U32(r, 8), 1u);
  EXPECT_LE(U32(r, 8), 65535u);
  EXPECT_EQ(U32(r, 12), 3u);  // message and icon, no tip
  EXPECT_EQ(U32(r, 16), 0x200u);
  EXPECT_EQ(U32(r, 20), 0x1234u);
}

TEST_F(TrayAreaTest, AddWithATooltipCarriesIt) {
  tray->SetToolTip("Quellix");
  tray->SetVisible(true);
  const auto& r = ui.notify_calls.back().second;
  EXPECT_EQ(U32(r, 12), 7u);
  EXPECT_EQ(Tip(r), "Quellix" + std::string(57, ' '));
}

TEST_F(TrayAreaTest, IdentifiersFollowTheSameSequenceInEveryRun) {
  std::vector<std::uint32_t> ids;
  for (int i = 0; i < 3; ++i) {
    tray->SetVisible(true);
    ids.push_back(U32(ui.notify_calls.back().second, 8));
    tray->SetVisible(false);
  }
  RandomSequence fresh;
  for (std::uint32_t id : ids) EXPECT_EQ(id, static_cast<std::uint32_t>(std::floor(fresh.Next() * 65535 + 1)));
  EXPECT_NE(ids[0], ids[1]);
  // The sequence's first draw, as every run makes it.
  EXPECT_NEAR(RandomSequence().Next(), 0.7055475, 1e-7);
}

TEST_F(TrayAreaTest, TooltipIsTrimmedPaddedCutAndAlwaysSent) {
  tray->SetToolTip("  12  ");
  EXPECT_EQ(tray->ToolTip(), "12");
  ASSERT_EQ(ui.notify_calls.size(), 1u);  // sent although hidden
  EXPECT_EQ(ui.notify_calls[0].first, NotifyAction::kModify);
  EXPECT_EQ(U32(ui.notify_calls[0].second, 12), 4u);
  EXPECT_EQ(Tip(ui.notify_calls[0].second), "12" + std::string(62, ' '));
  tray->SetToolTip(std::string(70, 'x'));
  EXPECT_EQ(Tip(ui.notify_calls.back().second), std::string(64, 'x'));
}

// The field is UTF-8: a tip longer than it is cut between two characters, and the bytes
// left over are blanks, never the first half of a character.
TEST_F(TrayAreaTest, ATipCutToTheFieldKeepsItsCharactersWhole) {
  std::string cyrillic;
  for (int i = 0; i < 40; ++i) cyrillic += "\xD0\x96";  // "Ж", two bytes each
  tray->SetToolTip("x" + cyrillic);
  std::string kept = "x";
  for (int i = 0; i < 31; ++i) kept += "\xD0\x96";
  EXPECT_EQ(Tip(ui.notify_calls.back().second), kept + " ");
  tray->SetToolTip(std::string(62, 'y') + "\xF0\x9F\x8E\x84");  // an emoji takes four bytes
  EXPECT_EQ(Tip(ui.notify_calls.back().second), std::string(62, 'y') + "  ");
}

TEST_F(TrayAreaTest, IconChanges) {
  tray->SetIcon(Picture{7});
  EXPECT_TRUE(ui.notify_calls.empty());  // hidden: only stored
  tray->SetVisible(true);
  tray->SetIcon(Picture{8});
  EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kModify);
  EXPECT_EQ(U32(ui.notify_calls.back().second, 12), 2u);
  EXPECT_EQ(U32(ui.notify_calls.back().second, 20), 8u);
  tray->SetIcon(std::nullopt);
  EXPECT_FALSE(tray->Visible());
  EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kDelete);
}

TEST_F(TrayAreaTest, RemovalAndDestructionDeleteTheLastAddedIcon) {
  tray->SetVisible(true);
  const auto added = ui.notify_calls.back().second;
  tray->SetToolTip("changed");
  tray->SetVisible(false);
  EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kDelete);
  EXPECT_EQ(U32(ui.notify_calls.back().second, 8), U32(added, 8));
  tray.reset();
  EXPECT_EQ(ui.notify_calls.back().first, NotifyAction::kDelete);
}

TEST_F(TrayAreaTest, NotificationCodesBecomeEvents) {
  for (std::uint32_t code : {0x200u, 0x201u, 0x202u, 0x203u, 0x204u, 0x205u, 0x206u, 0x207u, 0x208u, 0x209u, 0x2A3u})
    tray->Notify(code);
  EXPECT_EQ(events.seen, (std::vector<std::string>{"move", "down1", "up1", "dbl", "down2", "up2", "dbl"}));
}

TEST_F(TrayAreaTest, StoredPropertiesLoadWithoutRequestsAndSaveOnlyNonDefaults) {
  EXPECT_EQ(tray->Icon()->handle, 0u);  // a fresh control has an empty picture
  EXPECT_TRUE(tray->SaveProperties().empty());
  tray->LoadProperties({{"icon", "tray"}, {"TOOLTIP", " Quellix "}, {"Visible", "True"}});
  EXPECT_TRUE(ui.notify_calls.empty());
  EXPECT_EQ(tray->ToolTip(), "Quellix");
  EXPECT_TRUE(tray->Visible());
  tray->SetVisible(true);  // already marked shown: nothing is sent
  EXPECT_TRUE(ui.notify_calls.empty());
  EXPECT_EQ(tray->SaveProperties(),
            (TrayArea::Properties{{"Icon", "tray"}, {"ToolTip", "Quellix"}, {"Visible", "True"}}));
}

}  // namespace
}  // namespace quellix::tray
