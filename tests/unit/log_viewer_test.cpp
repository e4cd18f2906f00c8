// The log viewer on logs of any size: read a piece at a time, the newest rows of a very long
// log with a note, and a log that cannot be read said in the status line.
#include "ui/log_viewer.h"

#include <gtest/gtest.h>

#include "controls/hosted_button.h"
#include "engine/burn_record.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"

namespace quellix::ui {
namespace {

// Files whose whole-file reads stop at 1 MB, as the platform's stop at its read limit.
class ReadLimitedFiles final : public sim::SimFiles {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (FileSize(path).value_or(0) > (1u << 20)) return std::nullopt;
    return SimFiles::ReadFile(path);
  }
};

std::string Log(std::size_t records) {
  std::string log;
  log.reserve(records * engine::BurnRecord::kSize);
  sim::SimCodePage code_page;
  for (std::size_t i = 1; i <= records; ++i) {
    engine::BurnRecord r;
    r.SetBrowser("Internet Explorer", code_page);
    r.SetTitle("burn " + std::to_string(i), code_page);
    log += r.Bytes();
  }
  return log;
}

// Files on a slow disk: every piece read takes `read_ms` of the clock's time.
class SlowFiles final : public sim::SimFiles {
 public:
  SlowFiles(sim::SimClock& clock, std::uint64_t read_ms) : clock_(clock), read_ms_(read_ms) {}
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t length) override {
    clock_.monotonic_ms += read_ms_;
    return SimFiles::ReadAt(path, offset, length);
  }

 private:
  sim::SimClock& clock_;
  std::uint64_t read_ms_;
};

class LogViewerTest : public ::testing::Test {
 protected:
  quellix::testing::World world;
  ReadLimitedFiles files;
  sim::SimUi ui{controls::DrawnProductButtons()};
  platform::UiEvents events;
  platform::Services services{
      world.sim.desktop,  world.sim.registry,     world.sim.clock, world.sim.sound,    files,
      world.sim.messages, world.sim.file_dialogs, world.sim.dde,   world.sim.code_page};
  platform::UiId form = ui.CreateForm({"Form1", "Quellix", 8130, 5820}, events);
  LogViewer viewer{ui, services, world.app_folder, form, {9000, 5500, 5985, 4125}};
  std::string path = world.app_folder + "\\popuplog.txt";
};

TEST_F(LogViewerTest, ALogLargerThanAWholeReadShowsEveryRow) {
  files.Put(path, Log(8000));  // 1.2 MB
  viewer.View(2070, 910);
  ASSERT_EQ(ui.ListCount(viewer.Rows()), 8000u);
  EXPECT_EQ(ui.Get(viewer.Rows()).rows[7999].first[3], "burn 8000");
  EXPECT_EQ(ui.Text(viewer.Status()), "");
}

TEST_F(LogViewerTest, AVeryLongLogShowsItsNewestRowsAndSaysSo) {
  files.Put(path, Log(LogViewer::kMostRows + 2) + "torn");
  viewer.View(2070, 910);
  ASSERT_EQ(ui.ListCount(viewer.Rows()), LogViewer::kMostRows);
  EXPECT_EQ(ui.Get(viewer.Rows()).rows[0].first[3], "burn 3");
  EXPECT_EQ(ui.Get(viewer.Rows()).rows.back().first[3], "burn 100002");
  EXPECT_EQ(ui.Text(viewer.Status()), "The newest 100000 of 100002 burns.");
}

TEST_F(LogViewerTest, ALogThatCannotBeReadIsSaidInTheStatusLine) {
  files.Put(path, Log(3));
  files.Lock(path);
  files.SetErrorText("The process cannot access the file because it is being used by another process.");
  viewer.View(2070, 910);
  EXPECT_EQ(ui.ListCount(viewer.Rows()), 0u);
  EXPECT_EQ(ui.Text(viewer.Status()),
            "The log file could not be read: The process cannot access the file because it is being used by "
            "another process.");
  EXPECT_TRUE(ui.Visible(viewer.Panel()));
  files.Unlock(path);
  viewer.View(2070, 910);  // the note goes once the log reads
  EXPECT_EQ(ui.ListCount(viewer.Rows()), 3u);
  EXPECT_EQ(ui.Text(viewer.Status()), "");
}

TEST_F(LogViewerTest, ALogThatCannotBeClearedIsSaid) {
  files.Put(path, Log(1));
  files.Lock(path);
  files.SetErrorText("Access is denied.");
  world.sim.messages.answers = {platform::MessageAnswer::kYes};
  viewer.Clear();
  ASSERT_EQ(world.sim.messages.shown.size(), 2u);
  EXPECT_EQ(world.sim.messages.shown[1].title, "Quellix");
  EXPECT_EQ(world.sim.messages.shown[1].text, "The log file could not be cleared.\r\nAccess is denied.");
  EXPECT_TRUE(files.Exists(path));
}

// A click or a tick waiting while a long log fills: handled once the time budget has passed,
// not only after the last row, and not after every row.
TEST(LogViewerEvents, AnEventWaitingDuringALongFillRunsOnceTheBudgetHasPassed) {
  for (const std::uint64_t read_ms : {std::uint64_t{0}, LogViewer::kEventsEveryMs + 8}) {
    quellix::testing::World world;
    SlowFiles files(world.sim.clock, read_ms);
    sim::SimUi ui{controls::DrawnProductButtons()};
    platform::UiEvents events;
    platform::Services services{
        world.sim.desktop,  world.sim.registry,     world.sim.clock, world.sim.sound,    files,
        world.sim.messages, world.sim.file_dialogs, world.sim.dde,   world.sim.code_page};
    const platform::UiId form = ui.CreateForm({"Form1", "Quellix", 8130, 5820}, events);
    LogViewer viewer{ui, services, world.app_folder, form, {9000, 5500, 5985, 4125}};
    files.Put(world.app_folder + "\\popuplog.txt", Log(10000));
    std::optional<std::size_t> rows_when_handled;
    ui.QueueEvent([&] { rows_when_handled = ui.ListCount(viewer.Rows()); });
    viewer.View(2070, 910);
    ASSERT_TRUE(rows_when_handled) << read_ms;
    if (read_ms == 0) {
      EXPECT_EQ(*rows_when_handled, 10000u);  // no time passed: once, at the end
    } else {
      EXPECT_EQ(*rows_when_handled, 0u);  // the first piece took longer than the budget
    }
  }
}

}  // namespace
}  // namespace quellix::ui
