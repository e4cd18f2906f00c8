#!/usr/bin/env bash
# The product's main job: builds the burning engine and runs it on a simulated desktop.
# Arguments go to the demo: [block-list-file [desktop-file [ticks]]].
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target quellix_demo >/dev/null
exec build/native/quellix_demo "$@"
