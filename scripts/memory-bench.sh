#!/usr/bin/env bash
# What a large block list costs: the start-up's memory natively on the simulated platform,
# then the real program's resident memory and time to its tray icon under Wine.
# Usage: scripts/memory-bench.sh [MB]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
step "configuring the benchmark build (cmake --preset bench)" cmake --preset bench
step "building the memory benchmark" cmake --build --preset bench -j "$(nproc)" --target quellix_memory_bench
build/bench/quellix_memory_bench "$@"
run_wine_scenario "the program" memory_bench.sh "quellix quellix_spawner" "$@"
