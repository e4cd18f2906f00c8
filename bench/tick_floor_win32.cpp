// One burn cycle over the real desktop against the floor any window closer pays: a bare
// walk that reads each window's class and title and nothing else. The cycle runs with the
// switch for Chromium-based browsers off and on, and the process check those browsers' frames
// need is timed on its own, once without and once with the cache a walk keeps; last, the cycle
// with fifty rules for other programs' windows. Run under Wine
// with the spawners' windows open (scripts/tick-bench.sh).
// Usage: quellix_tick_bench [repeats]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/burn_cycle.h"
#include "engine/process_state.h"
#include "engine/young_frames.h"
#include "rules/rule.h"
#include "platform/win32/win32_services.h"
#include "settings/settings_store.h"
#include "win32_clock.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int BareWalk(HWND anchor) {
  int windows = 0;
  for (HWND h = GetWindow(anchor, GW_HWNDFIRST); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    // As the program reads them: in UTF-16, whole in any script.
    wchar_t class_name[100];
    wchar_t title[100];
    GetClassNameW(h, class_name, 100);
    GetWindowTextW(h, title, 100);
    ++windows;
  }
  return windows;
}

// The windows of the Chromium browsers' class, topmost first.
std::vector<quellix::platform::WindowId> ChromiumClassWindows(quellix::platform::Desktop& desktop,
                                                              quellix::platform::WindowId anchor) {
  std::vector<quellix::platform::WindowId> found;
  for (auto w = desktop.FirstWindow(anchor); w != 0; w = desktop.NextWindow(w))
    if (quellix::engine::IsChromiumClass(desktop.ClassName(w, 100))) found.push_back(w);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quellix;
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  win32::Win32Platform platform;
  platform::Desktop& desktop = platform.desktop;
  engine::ProcessState state;
  state.burning.TurnOn();
  // Ten entries that match none of the benchmark's windows: every frame is checked in full.
  std::vector<std::string> entries;
  for (int i = 0; i < 10; ++i) entries.push_back("no such pop-up " + std::to_string(i));
  state.block_entries.Assign(entries, platform.code_page);
  settings::WriteOption(platform.registry, settings::kSupportIe, "1");
  settings::WriteOption(platform.registry, settings::kSupportNetscape, "1");

  HWND own = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Quellix tick benchmark", WS_POPUP, 0, 0, 0, 0,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  const auto anchor = static_cast<platform::WindowId>(reinterpret_cast<std::uintptr_t>(own));
  const int windows = BareWalk(own);
  const std::vector<platform::WindowId> chromium_class = ChromiumClassWindows(desktop, anchor);
  int browser_frames = 0;
  {
    engine::ProcessPrograms processes(desktop);
    for (auto w : chromium_class) browser_frames += engine::IsVisible(desktop, w) && processes.OwnsWindow(w);
  }
  auto tick = [&] { engine::BurnCycle(platform.Services(), state, std::string("C:\\"), anchor); };
  auto set_chromium = [&](const char* value) {
    settings::WriteOption(platform.registry, settings::kChromium, value);
  };
  set_chromium("1");
  tick();  // warm every path once
  set_chromium("0");
  tick();

  // The three measures take turns, so that a slow spell of the machine falls on all of them.
  std::vector<double> walk, tick_off, tick_on;
  for (int r = 0; r < repeats; ++r) {
    double t0 = quellix::bench::NowMs();
    BareWalk(own);
    walk.push_back(quellix::bench::NowMs() - t0);
    set_chromium("0");
    t0 = quellix::bench::NowMs();
    tick();
    tick_off.push_back(quellix::bench::NowMs() - t0);
    set_chromium("1");
    t0 = quellix::bench::NowMs();
    tick();
    tick_on.push_back(quellix::bench::NowMs() - t0);
  }
  set_chromium("0");

  // The process check alone, over every window of the class: each window's process asked
  // for its program anew, and then as a walk asks, once per process.
  std::vector<double> uncached, cached;
  for (int r = 0; r < repeats; ++r) {
    double t0 = quellix::bench::NowMs();
    int browsers = 0;
    for (auto w : chromium_class)
      browsers += engine::IsChromiumProgram(desktop.ProcessImagePath(desktop.ProcessId(w)));
    uncached.push_back(quellix::bench::NowMs() - t0);
    t0 = quellix::bench::NowMs();
    engine::ProcessPrograms processes(desktop);
    for (auto w : chromium_class) browsers -= processes.OwnsWindow(w);
    cached.push_back(quellix::bench::NowMs() - t0);
    if (browsers != 0) std::printf("the cached and uncached checks disagree\n");
  }

  // Fifty rules for other programs' windows, as a user with many nag windows keeps them: most
  // name programs that are not running, two name programs whose windows are open (their
  // process names are looked up, their classes and titles compared) and none matches.
  for (int i = 0; i < 48; ++i)
    state.rules.active.emplace_back(
        rules::Rule{"nagware" + std::to_string(i) + ".exe", "#32770", "Update available", "", {}},
        platform.code_page);
  state.rules.active.emplace_back(rules::Rule{"chrome.exe", "", "Your trial ends", "", {}}, platform.code_page);
  state.rules.active.emplace_back(
      rules::Rule{"code.exe", "#32770", "", "Buy now", {rules::RuleAction::Kind::kPress, "Later"}},
      platform.code_page);
  tick();  // warm
  std::vector<double> walk_again, tick_rules;
  for (int r = 0; r < repeats; ++r) {
    double t0 = quellix::bench::NowMs();
    BareWalk(own);
    walk_again.push_back(quellix::bench::NowMs() - t0);
    t0 = quellix::bench::NowMs();
    tick();
    tick_rules.push_back(quellix::bench::NowMs() - t0);
  }
  const double rules_walk = Median(walk_again), rules_tick = Median(tick_rules);

  const double w = Median(walk), off = Median(tick_off), on = Median(tick_on);
  const auto per_window = [windows](double ms) { return ms * 1000.0 / std::max(windows, 1); };
  const auto per_class_window = [&](double ms) {
    return ms * 1000.0 / std::max<double>(static_cast<double>(chromium_class.size()), 1);
  };
  std::printf("windows walked:        %d (%zu of the Chromium class, %d of them browser frames)\n", windows,
              chromium_class.size(), browser_frames);
  std::printf("bare walk (median):    %.2f ms  (%.1f us a window)\n", w, per_window(w));
  std::printf("burn cycle, Chromium switch off (median):  %.2f ms  (%.1f us a window)\n", off,
              per_window(off));
  std::printf("burn cycle, Chromium switch on (median):   %.2f ms  (%.1f us a window)\n", on, per_window(on));
  std::printf("ratio cycle / walk:    off %.2f, on %.2f; on / off %.3f\n", off / w, on / w, on / off);
  std::printf(
      "process check over the class's windows (median): %.2f ms uncached (%.1f us a window), "
      "%.2f ms with the per-walk cache (%.1f us a window)\n",
      Median(uncached), per_class_window(Median(uncached)), Median(cached), per_class_window(Median(cached)));
  std::printf("burn cycle with %zu rules, Chromium switch off (median):  %.2f ms; bare walk beside it %.2f ms\n",
              state.rules.active.size(), rules_tick, rules_walk);
  std::printf("ratio cycle with rules / walk:  %.2f\n", rules_tick / rules_walk);
  std::printf("burns during the run:  %s\n", state.burn_count.empty() ? "0" : state.burn_count.c_str());
  DestroyWindow(own);
  return 0;
}
