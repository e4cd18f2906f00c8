// One burn cycle over the real desktop against the floor any window closer pays: a bare
// walk that reads each window's class and title and nothing else. Run under Wine with the
// spawner's windows open (scripts/tick-bench.sh).
// Usage: quellix_tick_bench [repeats]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/burn_cycle.h"
#include "engine/process_state.h"
#include "platform/win32/win32_services.h"
#include "settings/settings_store.h"

namespace {

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int BareWalk(HWND anchor) {
  int windows = 0;
  for (HWND h = GetWindow(anchor, GW_HWNDFIRST); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    char class_name[100];
    char title[100];
    GetClassNameA(h, class_name, sizeof class_name);
    GetWindowTextA(h, title, sizeof title);
    ++windows;
  }
  return windows;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quellix;
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  win32::Win32Platform platform;
  engine::ProcessState state;
  state.burn_enabled = 1;
  // Ten entries that match none of the benchmark's windows: every frame is checked in full.
  std::vector<std::string> entries;
  for (int i = 0; i < 10; ++i) entries.push_back("no such pop-up " + std::to_string(i));
  state.block_entries.Assign(entries, platform.code_page);
  settings::WriteOption(platform.registry, settings::kSupportIe, "1");
  settings::WriteOption(platform.registry, settings::kSupportNetscape, "1");

  HWND own = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Quellix tick benchmark", WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  const auto anchor = static_cast<platform::WindowId>(reinterpret_cast<std::uintptr_t>(own));
  const int windows = BareWalk(own);
  engine::BurnCycle(platform.Services(), state, "C:\\", anchor);  // warm both paths once

  std::vector<double> walk, tick;
  for (int r = 0; r < repeats; ++r) {
    double t0 = Now();
    BareWalk(own);
    walk.push_back(Now() - t0);
    t0 = Now();
    engine::BurnCycle(platform.Services(), state, "C:\\", anchor);
    tick.push_back(Now() - t0);
  }
  const double w = Median(walk), t = Median(tick);
  std::printf("windows walked:        %d\n", windows);
  std::printf("bare walk (median):    %.2f ms  (%.1f us a window)\n", w, w * 1000.0 / std::max(windows, 1));
  std::printf("burn cycle (median):   %.2f ms  (%.1f us a window)\n", t, t * 1000.0 / std::max(windows, 1));
  std::printf("ratio cycle / walk:    %.2f\n", t / w);
  std::printf("burns during the run:  %s\n", state.burn_count.empty() ? "0" : state.burn_count.c_str());
  DestroyWindow(own);
  return 0;
}
