// The Windows program: builds the platform and the product's state, starts the main
// window and runs the message loop.

#include <windows.h>

#include <string>

#include "controls/hosted_button.h"
#include "engine/process_state.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_ui.h"
#include "ui/main_window.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  const auto slash = folder.find_last_of('\\');
  return slash == std::string::npos ? folder : folder.substr(0, slash);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quellix;
  win32::Win32Platform platform;
  win32::Win32Ui ui(controls::DrawnProductButtons());
  win32::Win32Shell shell;
  engine::ProcessState state;
  ui::MainWindow main_window(tray::TrayContext{platform.Services(), ui, shell, state, ProgramFolder()});
  main_window.Start();
  return ui.Run();
}
