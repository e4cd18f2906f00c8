#!/usr/bin/env bash
# Under Wine: the main window's block list and log panel with 1,000 and 100,000 rows.
# Usage: scripts/pages-bench.sh [rows...]
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh
run_wine_scenario "the pages benchmark" pages_bench.sh quellix_pages_bench "$@"
