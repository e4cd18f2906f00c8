#!/usr/bin/env bash
# The native benchmarks: one burn cycle over 1,000 simulated windows with 10, 1,000 and
# 10,000 block list entries, and loading such lists into the matcher.
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
step "configuring the benchmark build (cmake --preset bench)" cmake --preset bench
step "building the benchmarks" cmake --build --preset bench -j "$(nproc)"
exec build/bench/quellix_bench "$@"
