#!/usr/bin/env bash
# The product's main job: builds quellix.exe and runs it under Wine in the notification area
# while sample pop-ups and ordinary windows open; prints what it burned and saves a screenshot.
# It uses the X display in $DISPLAY when there is one, and a private Xvfb otherwise.
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
build=$QUELLIX_ROOT/build/win64
step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
step "building quellix.exe and the pop-up spawner" \
  cmake --build --preset win64 -j "$(nproc)" --target quellix quellix_spawner
step "preparing the Wine prefix template" bash tests/e2e/wine_template.sh "$build/wine-template"
exec bash tests/e2e/main_job.sh "$build/wine-template" "$build" "$build/screenshots"
