// The real Win32 platform for the contract suite: foreign windows live in the pop-up
// spawner helper, started beside this test program. Commands, captions and the DDE helper's
// reply go to the helpers as Unicode, so text in any script reaches them whole.

#include <windows.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "contract/platform_under_test.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::contract {
namespace {

using win32::Narrow;
using win32::UniqueKernelHandle;
using win32::Widen;

std::string ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::string folder = Narrow(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

// A helper program beside this one, talking through its standard input and output.
class HelperProcess {
 public:
  explicit HelperProcess(const std::string& command_line) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE child_in_read, child_in_write, child_out_read, child_out_write;
    CreatePipe(&child_in_read, &child_in_write, &inherit, 0);
    CreatePipe(&child_out_read, &child_out_write, &inherit, 0);
    SetHandleInformation(child_in_write, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(child_out_read, HANDLE_FLAG_INHERIT, 0);
    to_child_.reset(child_in_write);
    from_child_.reset(child_out_read);
    UniqueKernelHandle child_in(child_in_read), child_out(child_out_write);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = child_in.get();
    startup.hStdOutput = child_out.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring command = Widen(command_line);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &info))
      throw std::runtime_error("cannot start " + command_line);
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
  }

  // Lines are UTF-8 both ways.
  void WriteLine(const std::string& line) {
    const std::string bytes = line + "\n";
    DWORD written = 0;
    WriteFile(to_child_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  // The next line, empty when the helper has ended.
  std::string ReadLine() {
    std::string line;
    char c = 0;
    DWORD got = 0;
    while (ReadFile(from_child_.get(), &c, 1, &got, nullptr) && got == 1 && c != '\n') line += c;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  bool WaitForEnd(DWORD ms) { return WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }
  void Terminate() {
    TerminateProcess(process_.get(), 1);
    WaitForEnd(5000);
  }

 private:
  UniqueKernelHandle to_child_, from_child_, process_;
};

class SpawnerProcess {
 public:
  SpawnerProcess() : helper_("\"" + ProgramFolder() + "\\quellix_spawner.exe\"") {}
  ~SpawnerProcess() {
    Ask("quit");
    helper_.WaitForEnd(5000);
  }

  std::string Ask(const std::string& command) {
    helper_.WriteLine(command);
    return helper_.ReadLine();
  }

 private:
  HelperProcess helper_;
};

// One argument as the C runtime splits a command line: quoted, with quotes and the
// backslashes before them escaped.
std::string Quoted(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

// The DDE responder helper, serving until the test ends.
class ResponderProcess {
 public:
  explicit ResponderProcess(const BrowserInfoServer& server)
      : helper_("\"" + ProgramFolder() + "\\quellix_dde_responder.exe\" --seconds 120 --delay " +
                std::to_string(server.delay_ms) + " --repeat " + std::to_string(server.repeat) + " " +
                Quoted(server.reply)) {
    const std::string first = helper_.ReadLine();
    if (first != "READY") throw std::runtime_error("quellix_dde_responder: " + first);
  }
  ~ResponderProcess() { helper_.Terminate(); }

 private:
  HelperProcess helper_;
};

class Win32UnderTest final : public PlatformUnderTest {
 public:
  Win32UnderTest() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuellixContractAnchor";
    RegisterClassW(&wc);
    anchor_.reset(CreateWindowExW(0, wc.lpszClassName, L"anchor", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                  nullptr, wc.hInstance, nullptr));
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = Narrow(temp) + "quellix-contract-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++instance_);
    CreateDirectoryW(Widen(folder_).c_str(), nullptr);
  }
  ~Win32UnderTest() override {
    const std::wstring folder = Widen(folder_);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do DeleteFileW((folder + L"\\" + found.cFileName).c_str());
      while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }

  platform::Services Services() override { return platform_.Services(); }
  platform::WindowId Anchor() override { return reinterpret_cast<std::uintptr_t>(anchor_.get()); }
  platform::WindowId Open(const ForeignWindow& w) override {
    std::ostringstream command;
    command << "open " << w.class_name << ' ' << std::hex << w.style << ' ' << (w.ignores_close ? 1 : 0)
            << ' ' << w.caption;
    const std::string reply = spawner_.Ask(command.str());
    if (reply.rfind("ok ", 0) != 0) throw std::runtime_error("spawner: " + reply);
    return std::stoull(reply.substr(3));
  }
  void Settle() override { spawner_.Ask("sync"); }
  void Retitle(platform::WindowId window, const std::string& caption) override {
    const std::string reply = spawner_.Ask("retitle " + std::to_string(window) + " " + caption);
    if (reply != "retitled 1") throw std::runtime_error("spawner: " + reply);
  }
  void DeliverWindowEvents(unsigned wait_ms) override {
    // Out-of-context hooks are called while this thread takes its messages.
    const ULONGLONG end = GetTickCount64() + wait_ms;
    for (;;) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (GetTickCount64() >= end) return;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  platform::WindowId OpenDialog(const std::string& caption, const std::string& message,
                                const std::vector<std::string>& buttons) override {
    std::string command = "dialog 0 0 " + caption + "|" + message;
    for (const std::string& button : buttons) command += "|" + button;
    const std::string reply = spawner_.Ask(command);
    if (reply.rfind("ok ", 0) != 0) throw std::runtime_error("spawner: " + reply);
    return std::stoull(reply.substr(3));
  }
  std::string PressedButton(platform::WindowId dialog) override {
    const std::string reply = spawner_.Ask("pressed " + std::to_string(dialog));
    return reply.rfind("pressed ", 0) == 0 && reply != "pressed none" ? reply.substr(8) : std::string();
  }
  int CloseRequestsReceived(platform::WindowId window) override {
    const std::string reply = spawner_.Ask("closes " + std::to_string(window));
    return std::stoi(reply.substr(reply.find(' ') + 1));
  }
  std::string Folder() override { return folder_; }
  void ServeBrowserWindowInfo(const BrowserInfoServer& server) override {
    responder_ = std::make_unique<ResponderProcess>(server);
  }

 private:
  static inline int instance_ = 0;
  win32::Win32Platform platform_;
  win32::UniqueWindow anchor_;
  SpawnerProcess spawner_;
  std::unique_ptr<ResponderProcess> responder_;
  std::string folder_;
};

}  // namespace

std::unique_ptr<PlatformUnderTest> MakePlatformUnderTest() {
  return std::make_unique<Win32UnderTest>();
}

}  // namespace quellix::contract
