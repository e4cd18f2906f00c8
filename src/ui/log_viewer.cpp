#include "ui/log_viewer.h"

#include <algorithm>
#include <new>

#include "blocklist/block_list_file.h"
#include "engine/burn_record.h"
#include "product/product.h"
#include "ui/burn_log_rows.h"

namespace quellix::ui {

using platform::ControlKind;

namespace {
constexpr char kRowIcon[] = "a";
}  // namespace

LogViewer::LogViewer(platform::Ui& ui, platform::Services services, std::string data_folder,
                     platform::UiId form, platform::TwipsRect parked)
    : ui_(ui), services_(services), data_folder_(std::move(data_folder)) {
  panel_ = ui_.CreateControl(form, {ControlKind::kFrame, "Frame10", "", parked, /*visible=*/false});
  platform::ControlSpec rows{ControlKind::kListView, "view3", "", {0, 0, parked.width, parked.height - 540}};
  rows.columns = {"Date", "Time", "Explorere", "Window Title"};
  rows.column_widths = {1200, 1200, 1500, 0};
  rows.container = panel_;
  rows.visible = false;
  view3_ = ui_.CreateControl(form, rows);
  platform::ControlSpec cancel{
      ControlKind::kButton, "drawnButton23", "Cancel", {parked.width - 1335, parked.height - 450, 1335, 420}};
  cancel.container = panel_;
  cancel.visible = false;
  cancel_ = ui_.CreateControl(form, cancel);
  platform::ControlSpec status{
      ControlKind::kLabel, "lblLogStatus", "", {60, parked.height - 420, parked.width - 1515, 360}};
  status.container = panel_;
  status.visible = false;
  status_ = ui_.CreateControl(form, status);
}

std::string LogViewer::LogPath() const {
  return data_folder_ + "\\" + std::string(engine::kLogFileName);
}

void LogViewer::View(int left_twips, int top_twips) {
  using Record = engine::BurnRecord;
  ui_.ListClear(view3_);
  platform::FileSystem& files = services_.files;
  const std::string path = LogPath();
  if (!files.FileSize(path)) files.WriteAt(path, 0, "");  // a missing log is created empty
  std::string note;
  platform::Clock& clock = services_.clock;
  std::uint64_t events_ran = clock.MonotonicMs();
  if (const std::optional<std::uint64_t> size = files.FileSize(path)) {
    const std::uint64_t records = *size / Record::kSize;
    const std::uint64_t first = records > kMostRows ? records - kMostRows : 0;
    if (first > 0)
      note = "The newest " + std::to_string(kMostRows) + " of " + std::to_string(records) + " burns.";
    // The log is read a piece at a time, so a log of any size shows.
    for (std::uint64_t r = first; r < records; r += kRecordsAPiece) {
      const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kRecordsAPiece, records - r));
      std::optional<std::string> piece;
      try {
        piece = files.ReadAt(path, r * Record::kSize, count * Record::kSize);
      } catch (const std::bad_alloc&) {
        piece.reset();
      }
      if (!piece) {
        note = "The log file could not be read" + std::string(r > first ? " to its end: " : ": ") + Reason();
        break;
      }
      for (const BurnLogRow& row : BurnLogRows(*piece, services_.code_page)) {
        // Letting events run costs a round trip to the window system; after every row it
        // would cost more than the reading.
        if (clock.MonotonicMs() - events_ran >= kEventsEveryMs) {
          ui_.DoEvents();
          events_ran = clock.MonotonicMs();
        }
        ui_.ListAdd(view3_, {row.date, row.time, row.browser, row.title}, kRowIcon);
      }
      if (piece->size() < count * Record::kSize) break;  // the log shrank meanwhile
    }
  } else {
    note = "The log file could not be opened: " + Reason();
  }
  ui_.DoEvents();
  ui_.SetText(status_, note);
  ui_.SetVisible(panel_, true);
  ui_.Move(panel_, left_twips, top_twips);
}

std::string LogViewer::Reason() {
  return blocklist::SystemReason(services_.files, "");
}

void LogViewer::Clear() {
  const auto answer =
      services_.messages.Show(std::string(kClearLogQuestion), std::string(product::kAppTitle),
                              platform::MessageIcon::kInformation, platform::MessageButtons::kYesNo);
  if (answer != platform::MessageAnswer::kYes) return;
  // A log with other names keeps them, emptied.
  if (services_.files.ClearFile(LogPath())) return;
  services_.messages.Show("The log file could not be cleared.\r\n" + Reason(),
                          std::string(product::kAppTitle), platform::MessageIcon::kStop,
                          platform::MessageButtons::kOk);
}

bool LogViewer::OnClick(platform::UiId control) {
  if (control != cancel_) return false;
  Hide();
  return true;
}

}  // namespace quellix::ui
