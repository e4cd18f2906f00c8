// The main window with long lists, under Wine: loading and showing the block list, storing
// it, and reading the burn log into the log panel, for 1,000 and 100,000 rows.
// Usage: quellix_pages_bench FOLDER [rows...]   (FOLDER: a scratch folder, Windows path)

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/hosted_button.h"
#include "engine/process_state.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_ui.h"
#include "ui/main_window.h"
#include "win32_clock.h"

namespace {

std::string Field(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

void Prepare(quellix::platform::FileSystem& files, const std::string& folder, int rows) {
  std::string list, log;
  for (int i = 0; i < rows; ++i) {
    list += "Unwanted offer number " + std::to_string(i) + "\r\n";
    log += Field("Internet Explorer", 30) + Field("10:15:02 A", 10) + Field("12/8/2026", 10) +
           Field("Unwanted offer number " + std::to_string(i), 100);
  }
  files.RemoveFile(folder + "\\popcfg.apo");
  files.RemoveFile(folder + "\\popuplog.txt");
  files.WriteNewFile(folder + "\\popcfg.apo", list);
  files.WriteNewFile(folder + "\\popuplog.txt", log);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quellix;
  if (argc < 2) {
    std::fprintf(stderr, "usage: quellix_pages_bench FOLDER [rows...]\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::printf("%10s %16s %10s %14s\n", "rows", "load+show ms", "store ms", "view log ms");
  for (int a = 2; a < argc; ++a) {
    const int rows = std::atoi(argv[a]);
    win32::Win32Platform platform;
    win32::Win32Ui ui(controls::DrawnProductButtons());
    win32::Win32Shell shell;
    engine::ProcessState state;
    Prepare(platform.files, folder, rows);
    const double t0 = quellix::bench::NowMs();
    ui::MainWindow main(tray::TrayContext{platform.Services(), ui, shell, state, folder, folder});
    main.Start();  // loads the list into view1 and the matcher, then goes to the tray
    ui.DoEvents();
    const double t1 = quellix::bench::NowMs();
    main.ApplyOptions();  // stores popcfg.apo from view1
    const double t2 = quellix::bench::NowMs();
    main.Log().View(2070, 910);
    ui.DoEvents();
    const double t3 = quellix::bench::NowMs();
    const std::size_t shown = ui.ListCount(main.Control("view1")), logged = ui.ListCount(main.Log().Rows());
    if (shown != static_cast<std::size_t>(rows) || logged != static_cast<std::size_t>(rows)) {
      std::printf("FAIL: %zu rows shown and %zu log rows for %d\n", shown, logged, rows);
      return 1;
    }
    std::printf("%10d %16.1f %10.1f %14.1f\n", rows, t1 - t0, t2 - t1, t3 - t2);
    std::fflush(stdout);
    main.Menu().Unload();
    main.Tray().SetVisible(false);
  }
  return 0;
}
