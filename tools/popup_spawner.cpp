// Test and demo helper: opens top-level windows of any class, caption and style, as a
// browser would open pop-ups, and reports the close requests they receive.
//
// Commands, one a line on standard input, in UTF-8; each is answered with one line on standard
// output, in UTF-8. Windows are Unicode windows: their classes and captions are kept whole in
// any script.
//   open <class> <style-hex> <ignores-close 0|1> <caption...>   ->  ok <window id, decimal>
//   closes <window id>                                          ->  closes <requests received>
//   sync                                                        ->  sync   (pending messages handled)
//   tips                                                        ->  tips <text of each shown tooltip, '|' between>
//   destroy <window id>                                         ->  destroyed <0|1>
//   retitle <window id> <caption...>                            ->  retitled <0|1>   (as a page loaded in it)
//   latency <window id>                                         ->  latency <ms from just before it was made to
//                                                                   its first close request, 3 decimals | none>
//                                                                   <1 when that request was queued by the time
//                                                                   CreateWindowExW returned, else 0>
//   rename-every <window id> <ms>                               ->  renaming <0|1>   (it renames itself every
//                                                                   <ms> as "<caption> <n>"; 0 stops)
//   renames <window id>                                         ->  renames <times it renamed itself>
//   dialog <owner id|0> <ignores-close 0|1> <caption>|<message>|<button>|...
//                                                               ->  ok <window id>   (a dialog box of class #32770,
//                                                                   owned by the window given; a click on one of
//                                                                   its buttons logs "pressed <id> <caption>" and
//                                                                   ends it)
//   remake <class> <style-hex> <ignores-close 0|1> <caption...> ->  ok <window id>   (as open, after destroying
//                                                                   the window the last remake made)
//   stats                                                       ->  stats handles=<n> gdi=<n> windows=<n> working_set_kb=<n> ...
//                                                                   (of the running Quellix, found by its tray window)
//   pressed <dialog id>                                         ->  pressed <caption of the button pressed | none>
//   shell-refuse                                                ->  refusing <0|1>   (a notification area that is
//                                                                   there and takes no icon, as at logon before
//                                                                   the shell is ready: found before the real one)
//   shell-ready <broadcast 0|1>                                 ->  ready   (that area goes; with 1, the taskbar's
//                                                                   "TaskbarCreated" is broadcast, as a shell
//                                                                   that has started does)
//   quit                                                        ->  bye
//   rect, rectof, textof, countof, enabled, checked, click, state,
//   gdi, churn, accessible, press                               ->  see product_probe.h
// With --log FILE, every close request is also appended there as "close <id> <class> <caption>".

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <psapi.h>

#include "platform/win32/wide_text.h"
#include "product_probe.h"
#include "spawned_dialog.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using quellix::win32::Narrow;
using quellix::win32::Widen;

constexpr UINT kCommandMessage = WM_APP + 1;
constexpr UINT kEndOfInputMessage = WM_APP + 2;

constexpr UINT_PTR kRenameTimer = 1;

struct Spawned {
  std::string class_name;
  std::string caption;
  bool ignores_close = false;
  int close_requests = 0;
  LONGLONG created = 0;      // performance counter just before the window was made
  LONGLONG first_close = 0;  // and when its first close request came; 0 before
  bool closed_while_made = false;  // a close request was queued when CreateWindowExW returned
  std::string rename_base;   // the caption a window renaming itself numbers
  int renames = 0;
};

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

struct Spawner {
  std::map<HWND, Spawned> windows;
  HWND remade = nullptr;  // the window the last remake made
  HWND refusing_shell = nullptr;
  std::map<std::string, bool> registered;
  std::map<HWND, std::string> pressed;  // the button pressed on each dialog box, which it ended
  std::string log_path;
};

Spawner* g_spawner = nullptr;  // this helper's one instance, reached from its window procedures

void Log(const std::string& line) {
  if (g_spawner->log_path.empty()) return;
  if (FILE* f = std::fopen(g_spawner->log_path.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    const LONGLONG received = Now();
    auto it = g_spawner->windows.find(hwnd);
    if (it != g_spawner->windows.end()) {
      if (it->second.close_requests++ == 0) it->second.first_close = received;
      Log("close " + std::to_string(reinterpret_cast<std::uintptr_t>(hwnd)) + " " + it->second.class_name + " " +
          it->second.caption);
      if (it->second.ignores_close) return 0;
    }
    DestroyWindow(hwnd);
    return 0;
  }
  if (message == WM_TIMER && wparam == kRenameTimer) {
    auto it = g_spawner->windows.find(hwnd);
    if (it != g_spawner->windows.end()) {
      it->second.caption = it->second.rename_base + " " + std::to_string(++it->second.renames);
      SetWindowTextW(hwnd, Widen(it->second.caption).c_str());
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) >= quellix::tools::kFirstButtonId) {
    wchar_t caption[256] = {};
    GetDlgItemTextW(hwnd, LOWORD(wparam), caption, 256);
    Log("pressed " + std::to_string(reinterpret_cast<std::uintptr_t>(hwnd)) + " " + Narrow(caption));
    g_spawner->pressed[hwnd] = Narrow(caption);
    g_spawner->windows.erase(hwnd);
    DestroyWindow(hwnd);  // as a notice goes once one of its buttons is pressed
    return TRUE;
  }
  if (message == WM_CLOSE) {
    PopupProc(hwnd, message, wparam, 0);
    return TRUE;
  }
  return FALSE;
}

void Reply(const std::string& line) {
  std::cout << line << std::endl;
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Opens a window as told and answers with its id; gives the window, or nullptr.
HWND Open(std::istringstream& in) {
  std::string class_name, style_hex;
  int ignores = 0;
  in >> class_name >> style_hex >> ignores;
  std::string caption;
  std::getline(in, caption);
  if (!caption.empty() && caption.front() == ' ') caption.erase(0, 1);
  const std::wstring wide_class = Widen(class_name);
  if (!g_spawner->registered[class_name]) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PopupProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = wide_class.c_str();
    RegisterClassW(&wc);
    g_spawner->registered[class_name] = true;
  }
  const DWORD style = static_cast<DWORD>(std::stoul(style_hex, nullptr, 16));
  // Cascaded, so that the windows on screen can be told apart. (Under Wine, a window opened
  // exactly over the previous one was left black on screen.)
  const int step = static_cast<int>(g_spawner->windows.size() % 16);
  const int x = 40 + 60 * step, y = 60 + 40 * step;
  // A watching program may post its close request before CreateWindowExW returns; the
  // request is taken from the queue only below, when the window is known.
  const std::wstring wide_caption = Widen(caption);
  const LONGLONG created = Now();
  HWND hwnd = CreateWindowExW(0, wide_class.c_str(), wide_caption.c_str(), style, x, y, 320, 200, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (hwnd == nullptr) {
    Reply("error " + std::to_string(GetLastError()));
    return nullptr;
  }
  Spawned& spawned = g_spawner->windows[hwnd] = Spawned{};  // a handle may come again
  spawned.class_name = class_name;
  spawned.caption = caption;
  spawned.ignores_close = ignores != 0;
  spawned.created = created;
  MSG queued;
  spawned.closed_while_made = PeekMessageW(&queued, hwnd, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  PumpPending();
  Reply("ok " + std::to_string(reinterpret_cast<std::uintptr_t>(hwnd)));
  return hwnd;
}

// Opens a dialog box as told and answers with its id.
void OpenDialog(std::istringstream& in) {
  std::uintptr_t owner = 0;
  int ignores = 0;
  in >> owner >> ignores;
  std::string rest;
  std::getline(in, rest);
  if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
  std::vector<std::wstring> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = rest.find('|', start);
    parts.push_back(Widen(rest.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  while (parts.size() < 2) parts.emplace_back();
  const std::vector<std::wstring> buttons(parts.begin() + 2, parts.end());
  const LONGLONG created = Now();
  HWND hwnd = quellix::tools::MakeDialog(reinterpret_cast<HWND>(owner), parts[0], parts[1], buttons, DialogProc, 0);
  if (hwnd == nullptr) {
    Reply("error " + std::to_string(GetLastError()));
    return;
  }
  Spawned& spawned = g_spawner->windows[hwnd] = Spawned{};
  spawned.class_name = "#32770";
  spawned.caption = Narrow(parts[0]);
  spawned.ignores_close = ignores != 0;
  spawned.created = created;
  MSG queued;
  spawned.closed_while_made = PeekMessageW(&queued, hwnd, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  PumpPending();
  Reply("ok " + std::to_string(reinterpret_cast<std::uintptr_t>(hwnd)));
}

// The texts of the tooltips now shown on the desktop, whichever process owns them. A tooltip
// answers WM_GETTEXT with the text it shows; the message is carried across processes.
std::string ShownTooltips() {
  std::string texts;
  HWND tip = nullptr;
  while ((tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) != nullptr) {
    if (!IsWindowVisible(tip)) continue;
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(tip, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                            SMTO_ABORTIFHUNG, 2000, &copied) == 0)
      continue;
    if (!texts.empty()) texts += '|';
    texts += Narrow(std::wstring_view(buffer, std::min<std::size_t>(copied, std::size(buffer) - 1)));
  }
  return texts;
}

// Resource figures of the running Quellix process, for the soak test. Wine reports neither
// GetProcessHandleCount nor GetGuiResources, so handles are counted in the system's handle
// table and USER objects are approached by the process's windows.
struct HandleEntry {
  ULONG owner_pid;
  BYTE object_type;
  BYTE flags;
  USHORT value;
  PVOID object;
  ULONG access;
};
struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};

long CountHandles(DWORD pid) {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return -1;
  std::vector<char> buffer(1 << 16);
  for (int attempt = 0; attempt < 12; ++attempt) {
    ULONG needed = 0;
    const LONG status = query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) {
      const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
      long count = 0;
      for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].owner_pid == pid ? 1 : 0;
      return count;
    }
    if (status != static_cast<LONG>(0xC0000004)) return -1;  // anything but "buffer too small"
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  return -1;
}

struct WindowCount {
  DWORD pid;
  long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
  ++reinterpret_cast<WindowCount*>(param)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
  auto* windows = reinterpret_cast<WindowCount*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == windows->pid) {
    ++windows->count;
    EnumChildWindows(hwnd, CountChild, param);
  }
  return TRUE;
}

std::string QuellixStats() {
  HWND tray = FindWindowW(L"QuellixTrayHost", L"TrayArea1");
  if (tray == nullptr) return "none";
  DWORD pid = 0;
  GetWindowThreadProcessId(tray, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) return "none";
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  WindowCount windows{pid, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  std::ostringstream out;
  out << "handles=" << CountHandles(pid) << " gdi=" << GetGuiResources(process, GR_GDIOBJECTS)
      << " windows=" << windows.count << " working_set_kb=" << memory.WorkingSetSize / 1024
      << " peak_working_set_kb=" << memory.PeakWorkingSetSize / 1024;
  CloseHandle(process);
  return out.str();
}

// A notification area window that refuses every icon. Topmost, so that a search for the
// shell's tray window finds it before the real one.
HWND RefusingShell() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
      return message == WM_COPYDATA ? FALSE : DefWindowProcW(hwnd, message, wparam, lparam);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kEndOfInputMessage) {
    PostQuitMessage(0);
    return 0;
  }
  if (message != kCommandMessage) return DefWindowProcW(hwnd, message, wparam, lparam);
  std::istringstream in(*reinterpret_cast<const std::string*>(lparam));
  std::string verb;
  in >> verb;
  if (verb == "open") {
    Open(in);
  } else if (verb == "dialog") {
    OpenDialog(in);
  } else if (verb == "remake") {
    if (g_spawner->remade != nullptr && g_spawner->windows.count(g_spawner->remade) != 0)
      DestroyWindow(g_spawner->remade);
    g_spawner->remade = Open(in);
  } else if (verb == "closes") {
    std::uintptr_t id = 0;
    in >> id;
    auto it = g_spawner->windows.find(reinterpret_cast<HWND>(id));
    Reply("closes " + std::to_string(it == g_spawner->windows.end() ? 0 : it->second.close_requests));
  } else if (verb == "sync") {
    PumpPending();
    Reply("sync");
  } else if (verb == "destroy") {
    std::uintptr_t id = 0;
    in >> id;
    const HWND hwnd = reinterpret_cast<HWND>(id);
    const bool known = g_spawner->windows.count(hwnd) != 0;
    if (known) DestroyWindow(hwnd);
    Reply(std::string("destroyed ") + (known ? "1" : "0"));
  } else if (verb == "retitle") {
    std::uintptr_t id = 0;
    in >> id;
    std::string caption;
    std::getline(in, caption);
    if (!caption.empty() && caption.front() == ' ') caption.erase(0, 1);
    auto it = g_spawner->windows.find(reinterpret_cast<HWND>(id));
    const bool done =
        it != g_spawner->windows.end() && SetWindowTextW(it->first, Widen(caption).c_str()) != 0;
    if (done) it->second.caption = caption;
    Reply(std::string("retitled ") + (done ? "1" : "0"));
  } else if (verb == "latency") {
    std::uintptr_t id = 0;
    in >> id;
    auto it = g_spawner->windows.find(reinterpret_cast<HWND>(id));
    if (it == g_spawner->windows.end() || it->second.first_close == 0) {
      Reply("latency none");
    } else {
      char figure[32];
      std::snprintf(figure, sizeof figure, "%.3f", Milliseconds(it->second.first_close - it->second.created));
      Reply(std::string("latency ") + figure + (it->second.closed_while_made ? " 1" : " 0"));
    }
  } else if (verb == "rename-every") {
    std::uintptr_t id = 0;
    unsigned interval = 0;
    in >> id >> interval;
    auto it = g_spawner->windows.find(reinterpret_cast<HWND>(id));
    bool done = it != g_spawner->windows.end();
    if (done && interval == 0) {
      KillTimer(it->first, kRenameTimer);
    } else if (done) {
      it->second.rename_base = it->second.caption;
      done = SetTimer(it->first, kRenameTimer, interval, nullptr) != 0;
    }
    Reply(std::string("renaming ") + (done ? "1" : "0"));
  } else if (verb == "renames") {
    std::uintptr_t id = 0;
    in >> id;
    auto it = g_spawner->windows.find(reinterpret_cast<HWND>(id));
    Reply("renames " + std::to_string(it == g_spawner->windows.end() ? 0 : it->second.renames));
  } else if (verb == "stats") {
    Reply("stats " + QuellixStats());
  } else if (verb == "tips") {
    Reply("tips " + ShownTooltips());
  } else if (verb == "pressed") {
    std::uintptr_t id = 0;
    in >> id;
    PumpPending();
    auto it = g_spawner->pressed.find(reinterpret_cast<HWND>(id));
    Reply("pressed " + (it == g_spawner->pressed.end() ? std::string("none") : it->second));
  } else if (verb == "shell-refuse") {
    if (g_spawner->refusing_shell == nullptr) g_spawner->refusing_shell = RefusingShell();
    const bool first = g_spawner->refusing_shell != nullptr &&
                       FindWindowW(L"Shell_TrayWnd", nullptr) == g_spawner->refusing_shell;
    Reply(std::string("refusing ") + (first ? "1" : "0"));
  } else if (verb == "shell-ready") {
    int broadcast = 0;
    in >> broadcast;
    if (g_spawner->refusing_shell != nullptr) DestroyWindow(g_spawner->refusing_shell);
    g_spawner->refusing_shell = nullptr;
    if (broadcast != 0) SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    Reply("ready");
  } else if (verb == "quit") {
    Reply("bye");
    PostQuitMessage(0);
  } else {
    std::string args;
    std::getline(in >> std::ws, args);
    const std::string answer = quellix::tools::Probe(verb, args);
    Reply(answer.empty() ? "error unknown command" : answer);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The product's accessible objects come through COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // Commands are UTF-8 bytes: read as they come, with no translation of the C runtime's.
  _setmode(_fileno(stdin), _O_BINARY);
  Spawner spawner;
  g_spawner = &spawner;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--log") spawner.log_path = argv[i + 1];

  WNDCLASSW wc{};
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuellixSpawnerControl";
  RegisterClassW(&wc);
  HWND control =
      CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);

  // Commands are read on their own thread and handed to the window thread one at a time.
  std::thread reader([control] {
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      SendMessageW(control, kCommandMessage, 0, reinterpret_cast<LPARAM>(&line));
      if (line == "quit") return;
    }
    PostMessageW(control, kEndOfInputMessage, 0, 0);
  });

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  reader.detach();
  std::cout.flush();
  ExitProcess(0);
}
