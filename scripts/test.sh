#!/usr/bin/env bash
# Runs every test: the unit label natively, the unit label again under AddressSanitizer and
# UBSan, every fuzz target for QUELLIX_FUZZ_SECONDS (60) seconds, then the Wine label against
# the Windows build.
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh package
jobs=$(nproc)

step "configuring the native build (cmake --preset native)" cmake --preset native
cmake --build --preset native -j "$jobs"
ctest --preset native -L unit -j "$jobs"

step "configuring the sanitizer build (cmake --preset asan)" cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -L unit -j "$jobs"

bash scripts/fuzz.sh "${QUELLIX_FUZZ_SECONDS:-60}"

step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
cmake --build --preset win64 -j "$jobs"
ctest --preset win64 -L e2e
