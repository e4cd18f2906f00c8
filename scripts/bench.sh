#!/usr/bin/env bash
# The native benchmarks: one burn cycle over 1,000 simulated windows with 10, 1,000 and
# 10,000 block list entries, and loading such lists into the matcher.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" >/dev/null
exec build/bench/quellix_bench "$@"
