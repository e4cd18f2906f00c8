#!/usr/bin/env bash
# The burn cycle against a bare window walk over 500 real windows under Wine.
# Usage: scripts/tick-bench.sh [windows [repeats]]
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target quellix_tick_bench quellix_spawner >/dev/null
bash tests/e2e/wine_template.sh build/win64/wine-template
exec bash tests/e2e/tick_bench.sh build/win64/wine-template build/win64 "$@"
