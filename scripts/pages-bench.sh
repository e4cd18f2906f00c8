#!/usr/bin/env bash
# Under Wine: the main window's block list and log panel with 1,000 and 100,000 rows.
# Usage: scripts/pages-bench.sh [rows...]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
step "building the pages benchmark" cmake --build --preset win64 -j "$(nproc)" --target quellix_pages_bench
step "preparing the Wine prefix template" bash tests/e2e/wine_template.sh "$QUELLIX_ROOT/build/win64/wine-template"
exec bash tests/e2e/pages_bench.sh "$QUELLIX_ROOT/build/win64/wine-template" "$QUELLIX_ROOT/build/win64" "$@"
