// The simulated desktop's window watch: made and renamed windows told in order from the
// message loop, never from inside the change itself, and nothing once a watch is gone.
#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace quellix::sim {
namespace {

TEST(SimWindowWatch, MadeAndRenamedWindowsAreToldAtDeliveryInOrder) {
  SimDesktop desktop;
  const WindowId before = desktop.AddWindow("IEFrame", "Before - IE");
  std::vector<WindowId> seen;
  auto watch = desktop.WatchWindows([&seen](WindowId w) { seen.push_back(w); });
  const WindowId made = desktop.AddWindow("IEFrame", "Made - IE");
  desktop.SetCaption(before, "Renamed - IE");
  EXPECT_TRUE(seen.empty());  // the system tells through the message loop, later
  desktop.DeliverWindowEvents();
  EXPECT_EQ(seen, (std::vector<WindowId>{made, before}));
  EXPECT_EQ(desktop.Text(before, 100), "Renamed - IE");

  watch.reset();
  EXPECT_EQ(desktop.Watches(), 0u);
  desktop.AddWindow("IEFrame", "After - IE");
  desktop.DeliverWindowEvents();
  EXPECT_EQ(seen.size(), 2u);
}

TEST(SimWindowWatch, AWatchEndedByItsOwnCallbackIsToldNoMore) {
  SimDesktop desktop;
  int told = 0;
  std::unique_ptr<platform::WindowWatch> watch;
  watch = desktop.WatchWindows([&](WindowId) {
    ++told;
    watch.reset();
  });
  desktop.AddWindow("IEFrame", "One - IE");
  desktop.AddWindow("IEFrame", "Two - IE");
  desktop.DeliverWindowEvents();
  EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace quellix::sim
