#!/usr/bin/env bash
# What a large block list costs: the start-up's memory natively on the simulated platform,
# then the real program's resident memory and time to its tray icon under Wine.
# Usage: scripts/memory-bench.sh [MB]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
step "configuring the benchmark build (cmake --preset bench)" cmake --preset bench
step "building the memory benchmark" cmake --build --preset bench -j "$(nproc)" --target quellix_memory_bench
build/bench/quellix_memory_bench "$@"
step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
step "building the program" cmake --build --preset win64 -j "$(nproc)" --target quellix quellix_spawner
step "preparing the Wine prefix template" bash tests/e2e/wine_template.sh "$QUELLIX_ROOT/build/win64/wine-template"
exec bash tests/e2e/memory_bench.sh "$QUELLIX_ROOT/build/win64/wine-template" "$QUELLIX_ROOT/build/win64" "$@"
