#!/usr/bin/env bash
# The burn cycle's cost against a bare walk over the same windows, under Wine: 500 windows
# (a third each Internet Explorer frames, Mozilla frames and other windows) whose titles
# match nothing.
# Usage: tick_bench.sh TEMPLATE_DIR BUILD_DIR [WINDOWS [REPEATS]]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$2 count=${3:-500} repeats=${4:-30}
wine_session_start "$template" || exit 1
app="$SESSION/app"
mkdir -p "$app"
cp "$build/quellix_tick_bench.exe" "$build/quellix_spawner.exe" "$app/"

spawner_start "$app/quellix_spawner.exe" 600
classes=(IEFrame MozillaWindowClass Notepad)
spawn_many < <(for i in $(seq "$count"); do
  echo "open ${classes[$((i % 3))]} cf0000 0 An ordinary page about the weather, item $i - Browser"
done)
spawn sync
sleep 1   # let the z-order settle
timeout 300 wine "$app/quellix_tick_bench.exe" "$repeats" | tr -d '\r'
spawn quit
