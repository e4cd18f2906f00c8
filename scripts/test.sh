#!/usr/bin/env bash
# Runs every test: the unit label natively, the unit label again under AddressSanitizer and
# UBSan, every fuzz target for QUELLIX_FUZZ_SECONDS (60) seconds, then the Wine label against
# the Windows build.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -L unit -j "$jobs"

cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -L unit -j "$jobs"

bash scripts/fuzz.sh "${QUELLIX_FUZZ_SECONDS:-60}"

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
ctest --preset win64 -L e2e
