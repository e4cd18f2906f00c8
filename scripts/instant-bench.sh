#!/usr/bin/env bash
# Under Wine: how soon a listed pop-up receives its close request with "instant" off and on
# (median and 95th percentile over 100 pop-ups), and the CPU time quellix.exe uses over 60 s
# while a window renames itself 20 times a second.
# Usage: scripts/instant-bench.sh [pop-ups [seconds]]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
step "building quellix.exe and the spawner" cmake --build --preset win64 -j "$(nproc)" --target quellix quellix_spawner
step "preparing the Wine prefix template" bash tests/e2e/wine_template.sh "$QUELLIX_ROOT/build/win64/wine-template"
exec bash tests/e2e/instant_bench.sh "$QUELLIX_ROOT/build/win64/wine-template" "$QUELLIX_ROOT/build/win64" "$@"
