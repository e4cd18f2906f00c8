#pragma once
// The log panel (Frame10 on the main window): the burn log read into the list view3, and
// the log cleared after a confirmation.

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/ui.h"

namespace quellix::ui {

inline constexpr std::string_view kClearLogQuestion = "Are you sure to clear log file";

class LogViewer {
 public:
  // The rows shown at most: the newest ones, the status line telling how many there are.
  static constexpr std::uint64_t kMostRows = 100000;
  static constexpr std::uint64_t kEventsEveryMs = 12;

  // Creates the panel, parked where the caller puts it, hidden.
  LogViewer(platform::Ui& ui, platform::Services services, std::string data_folder, platform::UiId form,
            platform::TwipsRect parked);

  // "View Log File": empties view3, appends one row per whole record (the newest kMostRows
  // of a longer log), then shows the panel at the page area. Pending events run whenever
  // kEventsEveryMs have passed since they last ran, and at the end, so a click or a tick is
  // answered within a frame or two while a long log fills. The status line says what was
  // left out or could not be read.
  void View(int left_twips, int top_twips);
  // "Clear Log File": deletes the log once the user says Yes, and says so when it could
  // not; the rows shown stay.
  void Clear();
  void Hide() { ui_.SetVisible(panel_, false); }
  // True when the control was the panel's "Cancel", which hides the panel.
  bool OnClick(platform::UiId control);

  platform::UiId Panel() const { return panel_; }
  platform::UiId Rows() const { return view3_; }
  platform::UiId Status() const { return status_; }

 private:
  static constexpr std::uint64_t kRecordsAPiece = 4096;

  std::string LogPath() const;
  // The system's reason for the last failure, in UTF-8.
  std::string Reason();

  platform::Ui& ui_;
  platform::Services services_;
  std::string data_folder_;
  platform::UiId panel_ = 0, view3_ = 0, cancel_ = 0, status_ = 0;
};

}  // namespace quellix::ui
