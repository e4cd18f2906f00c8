#!/usr/bin/env bash
# The product's main job: builds quellix.exe and runs it under Wine in the notification area
# while sample pop-ups and ordinary windows open; prints what it burned and saves a screenshot.
# It uses the X display in $DISPLAY when there is one, and a private Xvfb otherwise.
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
run_wine_scenario "quellix.exe and the pop-up spawner" main_job.sh "quellix quellix_spawner" \
  "$QUELLIX_ROOT/build/win64/screenshots"
