// The shell and the process on Win32: opening documents, starting programs, the
// single-instance check and the immediate end.

#include "platform/win32/win32_ui.h"

#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {

Win32Shell::Win32Shell() : instance_mutex_(CreateMutexW(nullptr, FALSE, L"Kelvane.Quellix.SingleInstance")) {
  another_copy_ = instance_mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32Shell::Open(const std::string& target, const std::string& folder, std::uint32_t owner, int show_command) {
  const std::wstring wide_folder = Widen(folder);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(FromLow32<HWND>(owner), L"OPEN", Widen(target).c_str(), nullptr,
                    wide_folder.empty() ? nullptr : wide_folder.c_str(), show_command));
  return result > 32;
}

bool Win32Shell::Start(const std::string& command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::wstring command = Widen(command_line);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

std::string Win32Shell::WindowsFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  }
  folder.resize(length < folder.size() ? length : 0);
  return Narrow(folder);
}

bool Win32Shell::AnotherCopyRunning() { return another_copy_; }

void Win32Shell::EndProcess() { ExitProcess(0); }

}  // namespace quellix::win32
