#!/usr/bin/env bash
# The soak test: quellix.exe under Wine for a fixed number of ticks (default 200, about ten
# minutes) while pop-ups keep opening; prints the burn counts and the process's figures.
# Usage: scripts/soak.sh [ticks]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset win64 -DQUELLIX_SOAK_TICKS="${1:-200}" >/dev/null
cmake --build --preset win64 -j "$(nproc)" >/dev/null
ctest --preset win64 -L soak --verbose | sed -n 's/^[0-9]*: //p' | grep -v -E '^(Test command|Working Directory|Test timeout)'
