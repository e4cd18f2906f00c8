#!/usr/bin/env bash
# The burn cycle against a bare window walk over 500 real windows under Wine, and 120 more
# of the Chromium browsers' class, with the switch for those browsers off and on.
# Usage: scripts/tick-bench.sh [windows [repeats [chromium windows of each of two programs]]]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
step "building the tick benchmark and the spawner" cmake --build --preset win64 -j "$(nproc)" --target quellix_tick_bench quellix_spawner
step "preparing the Wine prefix template" bash tests/e2e/wine_template.sh "$QUELLIX_ROOT/build/win64/wine-template"
exec bash tests/e2e/tick_bench.sh "$QUELLIX_ROOT/build/win64/wine-template" "$QUELLIX_ROOT/build/win64" "$@"
