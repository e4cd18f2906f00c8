// The Windows program: builds the platform and the product's state, finds the folder of the
// user's files, starts the main window and runs the message loop.

#include <windows.h>

#include <string>

#include "controls/hosted_button.h"
#include "engine/process_state.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_ui.h"
#include "product/data_folder.h"
#include "ui/main_window.h"

namespace {

// The folder of the running program, in UTF-8. The buffer grows until the whole path fits,
// so a long path is never cut at MAX_PATH.
std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 0x8000) return {};  // longer than any path Windows makes
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L'\\');
  return quellix::win32::Narrow(slash == std::wstring::npos ? path : path.substr(0, slash));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quellix;
  win32::Win32Platform platform;
  win32::Win32Ui ui(controls::DrawnProductButtons());
  win32::Win32Shell shell;
  engine::ProcessState state;
  const std::string program_folder = ProgramFolder();
  const std::string data_folder = product::PrepareDataFolder(platform.Services().files, program_folder);
  ui::MainWindow main_window(
      tray::TrayContext{platform.Services(), ui, shell, state, program_folder, data_folder});
  main_window.Start();
  return ui.Run();
}
