#!/usr/bin/env bash
# The product's main job: builds quellix.exe and runs it under Wine in the notification area
# while sample pop-ups and ordinary windows open; prints what it burned and saves a screenshot.
# It uses the X display in $DISPLAY when there is one, and a private Xvfb otherwise.
set -eu
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target quellix quellix_spawner >/dev/null
bash tests/e2e/wine_template.sh build/win64/wine-template
exec bash tests/e2e/main_job.sh build/win64/wine-template build/win64 build/win64/screenshots
