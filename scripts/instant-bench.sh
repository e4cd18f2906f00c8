#!/usr/bin/env bash
# Under Wine: how soon a listed pop-up receives its close request with "instant" off and on
# (median and 95th percentile over 100 pop-ups), and the CPU time quellix.exe uses over 60 s
# while a window renames itself 20 times a second.
# Usage: scripts/instant-bench.sh [pop-ups [seconds]]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
run_wine_scenario "quellix.exe and the spawner" instant_bench.sh "quellix quellix_spawner" "$@"
