#include "ui/log_viewer.h"

#include "engine/burn_record.h"
#include "product/product.h"
#include "ui/burn_log_rows.h"

namespace quellix::ui {

using platform::ControlKind;

namespace {
constexpr char kRowIcon[] = "a";
}  // namespace

LogViewer::LogViewer(platform::Ui& ui, platform::Services services, std::string app_folder,
                     platform::UiId form, platform::TwipsRect parked)
    : ui_(ui), services_(services), app_folder_(std::move(app_folder)) {
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
}

std::string LogViewer::LogPath() const {
  return app_folder_ + "\\" + std::string(engine::kLogFileName);
}

void LogViewer::View(int left_twips, int top_twips) {
  ui_.ListClear(view3_);
  const std::string path = LogPath();
  if (!services_.files.FileSize(path))
    services_.files.WriteAt(path, 0, "");  // a missing log is created empty
  const std::string log = services_.files.ReadFile(path).value_or(std::string());
  for (const BurnLogRow& row : BurnLogRows(log)) {
    ui_.DoEvents();
    ui_.ListAdd(view3_, {row.date, row.time, row.browser, row.title}, kRowIcon);
  }
  ui_.SetVisible(panel_, true);
  ui_.Move(panel_, left_twips, top_twips);
}

void LogViewer::Clear() {
  const auto answer =
      services_.messages.Show(std::string(kClearLogQuestion), std::string(product::kAppTitle),
                              platform::MessageIcon::kInformation, platform::MessageButtons::kYesNo);
  if (answer != platform::MessageAnswer::kYes) return;
  services_.files.ClearFile(LogPath());  // a log with other names keeps them, emptied
}

bool LogViewer::OnClick(platform::UiId control) {
  if (control != cancel_) return false;
  Hide();
  return true;
}

}  // namespace quellix::ui
