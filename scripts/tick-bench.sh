#!/usr/bin/env bash
# The burn cycle against a bare window walk over 500 real windows under Wine, and 120 more
# of the Chromium browsers' class, with the switch for those browsers off and on.
# Usage: scripts/tick-bench.sh [windows [repeats [chromium windows of each of two programs]]]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
run_wine_scenario "the tick benchmark and the spawner" tick_bench.sh "quellix_tick_bench quellix_spawner" "$@"
