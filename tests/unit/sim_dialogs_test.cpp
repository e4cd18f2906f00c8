// The simulated file dialogs and DDE servers record what the core asks of them, which the
// main window's tests rely on.

#include <gtest/gtest.h>

#include "platform/sim/sim_services.h"

namespace quellix::sim {
namespace {

using platform::FileDialogKind;

TEST(SimFileDialogs, AnswersInOrderAndCancelsWhenNothingIsScripted) {
  SimFileDialogs dialogs;
  dialogs.answers = {std::string("C:\\a.pao"), std::nullopt, std::string()};
  platform::FileDialogRequest save;
  save.kind = FileDialogKind::kSave;
  save.owner = 7;
  save.filter = "*.pao|*.pao|";
  EXPECT_EQ(dialogs.Show(save), "C:\\a.pao");
  EXPECT_EQ(dialogs.Show(save), std::nullopt);
  EXPECT_EQ(dialogs.Show(save), std::nullopt);  // an empty name is a cancel
  EXPECT_EQ(dialogs.Show(platform::FileDialogRequest{}), std::nullopt);
  ASSERT_EQ(dialogs.shown.size(), 4u);
  EXPECT_EQ(dialogs.shown[0].kind, FileDialogKind::kSave);
  EXPECT_EQ(dialogs.shown[0].owner, 7u);
  EXPECT_EQ(dialogs.shown[0].filter, "*.pao|*.pao|");
  EXPECT_EQ(dialogs.shown[3].kind, FileDialogKind::kOpen);
  EXPECT_GE(dialogs.shown[3].path_capacity, 20000u);
  EXPECT_EQ(dialogs.shown[3].default_extension, "");
}

TEST(SimDde, EveryRequestIsRecordedAnsweredOrNot) {
  SimDde dde;
  EXPECT_EQ(dde.RequestText("iexplore", "WWW_GetWindowInfo", "-1", 3000), std::nullopt);
  dde.Serve("iexplore", "WWW_GetWindowInfo", "-1", {std::string("\"u\",\"t\"")});
  EXPECT_EQ(dde.RequestText("iexplore", "WWW_GetWindowInfo", "-1", 2500), "\"u\",\"t\"");
  dde.StopServing("IEXPLORE", "www_getwindowinfo");
  EXPECT_EQ(dde.RequestText("iexplore", "WWW_GetWindowInfo", "-1", 3000), std::nullopt);
  ASSERT_EQ(dde.requests.size(), 3u);
  EXPECT_EQ(dde.requests[1].service, "iexplore");
  EXPECT_EQ(dde.requests[1].topic, "WWW_GetWindowInfo");
  EXPECT_EQ(dde.requests[1].item, "-1");
  EXPECT_EQ(dde.requests[1].timeout_ms, 2500u);
}

TEST(SimDde, RefusedItemsFailAndRepliesEndAtTheirFirstNul) {
  SimDde dde;
  dde.Serve("iexplore", "WWW_GetWindowInfo", "-1", {std::nullopt});
  EXPECT_EQ(dde.RequestText("iexplore", "WWW_GetWindowInfo", "-1", 3000), std::nullopt);
  dde.Serve("iexplore", "WWW_GetWindowInfo", "-1", {std::string("\"u\"\0\"hidden\"", 12)});
  EXPECT_EQ(dde.RequestText("iexplore", "WWW_GetWindowInfo", "-1", 3000), "\"u\"");
}

}  // namespace
}  // namespace quellix::sim
