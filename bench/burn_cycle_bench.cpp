// Cost of one burn cycle over 1,000 windows with block lists of different lengths, and of
// loading such a list into the matcher: time and memory.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>

#include "counted_heap.h"
#include "engine/burn_cycle.h"
#include "platform/sim/sim_services.h"
#include "settings/settings_store.h"

using quellix::bench::g_live_bytes;
using quellix::bench::g_peak_bytes;

namespace {

using namespace quellix;

std::vector<std::string> NumberedList(std::size_t entries) {
  std::vector<std::string> list;
  for (std::size_t i = 0; i < entries; ++i)
    list.push_back("blocked pop-up number " + std::to_string(i) + "!");
  return list;
}

// Entries of 8 to 40 random letters, digits and blanks: few share more than a short prefix.
std::vector<std::string> RandomList(std::mt19937& rng, std::size_t entries) {
  static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -";
  std::uniform_int_distribution<std::size_t> length(8, 40);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 2);
  std::vector<std::string> list(entries);
  for (std::string& e : list) {
    e.resize(length(rng));
    for (char& c : e) c = alphabet[pick(rng)];
  }
  return list;
}

// The size of the list as its file holds it: each entry and its CR LF.
std::size_t FileBytes(const std::vector<std::string>& list) {
  std::size_t bytes = 0;
  for (const std::string& e : list) bytes += e.size() + 2;
  return bytes;
}

void TickOverThousandWindows(benchmark::State& bench, std::vector<std::string> list) {
  sim::SimPlatform sim;
  engine::ProcessState state;
  state.burning.TurnOn();
  settings::WriteOption(sim.registry, "0", "1");
  settings::WriteOption(sim.registry, "1", "1");
  state.block_entries.Assign(std::move(list), sim.code_page);

  // Browser frames and other windows whose titles match nothing: the full cost of a tick.
  for (int i = 0; i < 1000; ++i) {
    const char* cls = i % 3 == 0 ? "IEFrame" : i % 3 == 1 ? "MozillaWindowClass" : "Notepad";
    sim.desktop.AddWindow(cls, "An ordinary page about the weather, item " + std::to_string(i) +
                                   " - Microsoft Internet Explorer");
  }
  const auto own = sim.desktop.AddWindow("ThunderRT6FormDC", "Quellix");

  for (auto _ : bench) engine::BurnCycle(sim.Services(), state, std::string("C:\\Quellix"), own);
  bench.SetItemsProcessed(bench.iterations() * 1000);
}

void BM_BurnCycle(benchmark::State& bench) {
  TickOverThousandWindows(bench, NumberedList(static_cast<std::size_t>(bench.range(0))));
}

BENCHMARK(BM_BurnCycle)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BurnCycleRandomList(benchmark::State& bench) {
  std::mt19937 rng(12);
  TickOverThousandWindows(bench, RandomList(rng, static_cast<std::size_t>(bench.range(0))));
}

BENCHMARK(BM_BurnCycleRandomList)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// What loading a list costs for the matcher: building its automaton.
void BM_AssignBlockEntries(benchmark::State& bench) {
  const std::vector<std::string> list = NumberedList(static_cast<std::size_t>(bench.range(0)));
  sim::SimCodePage western;
  engine::BlockEntries entries;
  for (auto _ : bench) entries.Assign(list, western);
}

BENCHMARK(BM_AssignBlockEntries)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

// Loading a list of random entries of the given size in MB. Reported: build time per MB of
// list file, the matcher's memory (what the load keeps beyond the entries themselves) and
// the highest extra memory while building, both per byte of list file.
void BM_LoadRandomList(benchmark::State& bench) {
  std::mt19937 rng(2026);
  const std::size_t target = static_cast<std::size_t>(bench.range(0)) << 20;
  std::vector<std::string> list;
  while (FileBytes(list) < target) {
    std::vector<std::string> more = RandomList(rng, 1000);
    list.insert(list.end(), more.begin(), more.end());
  }
  const double file_bytes = static_cast<double>(FileBytes(list));
  sim::SimCodePage western;
  double seconds = 0, kept = 0, peak = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    auto entries = std::make_unique<engine::BlockEntries>();
    auto texts = std::make_shared<const engine::EntryTexts>(list);
    const std::size_t before = g_live_bytes;
    g_peak_bytes = before;
    bench.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    entries->AssignShared(std::move(texts), western);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    bench.PauseTiming();
    // The shared entries were allocated before `before`: what is left over is the matcher's.
    kept += static_cast<double>(g_live_bytes - before);
    peak += static_cast<double>(g_peak_bytes - before);
    entries.reset();
    bench.ResumeTiming();
  }
  const double n = static_cast<double>(bench.iterations());
  const double mb = file_bytes / (1 << 20);
  bench.counters["list_MB"] = mb;
  bench.counters["build_ms_per_MB"] = seconds * 1000 / n / mb;
  bench.counters["matcher_B_per_list_B"] = kept / n / file_bytes;
  bench.counters["peak_B_per_list_B"] = peak / n / file_bytes;
}

BENCHMARK(BM_LoadRandomList)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
