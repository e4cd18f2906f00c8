#!/usr/bin/env bash
# The soak test: quellix.exe under Wine for a fixed number of ticks (default 200, about ten
# minutes) while pop-ups keep opening; prints the burn counts and the process's figures.
# Usage: scripts/soak.sh [ticks]
source "$(dirname "$0")/lib.sh"
set -o pipefail
bash scripts/setup.sh
step "configuring the Windows build (cmake --preset win64)" cmake --preset win64 -DQUELLIX_SOAK_TICKS="${1:-200}"
step "building the Windows programs" cmake --build --preset win64 -j "$(nproc)"
ctest --preset win64 -L soak --verbose | sed -n 's/^[0-9]*: //p' | grep -v -E '^(Test command|Working Directory|Test timeout)'
