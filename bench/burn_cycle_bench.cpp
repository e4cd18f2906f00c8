// Cost of one burn cycle over 1,000 windows with block lists of different lengths, and of
// loading such a list into the matcher.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/burn_cycle.h"
#include "platform/sim/sim_services.h"
#include "settings/settings_store.h"

namespace {

using namespace quellix;

void BM_BurnCycle(benchmark::State& bench) {
  const auto entries = static_cast<std::size_t>(bench.range(0));
  sim::SimPlatform sim;
  engine::ProcessState state;
  state.burn_enabled = 1;
  settings::WriteOption(sim.registry, "0", "1");
  settings::WriteOption(sim.registry, "1", "1");

  std::vector<std::string> list;
  for (std::size_t i = 0; i < entries; ++i) list.push_back("blocked pop-up number " + std::to_string(i) + "!");
  state.block_entries.Assign(std::move(list));

  // Browser frames and other windows whose titles match nothing: the full cost of a tick.
  for (int i = 0; i < 1000; ++i) {
    const char* cls = i % 3 == 0 ? "IEFrame" : i % 3 == 1 ? "MozillaWindowClass" : "Notepad";
    sim.desktop.AddWindow(cls, "An ordinary page about the weather, item " + std::to_string(i) +
                                   " - Microsoft Internet Explorer");
  }
  const auto own = sim.desktop.AddWindow("ThunderRT6FormDC", "Quellix");

  for (auto _ : bench) engine::BurnCycle(sim.Services(), state, "C:\\Quellix", own);
  bench.SetItemsProcessed(bench.iterations() * 1000);
}

BENCHMARK(BM_BurnCycle)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// What loading a list costs for the matcher: building its automaton.
void BM_AssignBlockEntries(benchmark::State& bench) {
  std::vector<std::string> list;
  for (int i = 0; i < bench.range(0); ++i) list.push_back("blocked pop-up number " + std::to_string(i) + "!");
  engine::BlockEntries entries;
  for (auto _ : bench) entries.Assign(list);
}

BENCHMARK(BM_AssignBlockEntries)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
