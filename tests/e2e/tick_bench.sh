#!/usr/bin/env bash
# The burn cycle's cost against a bare walk over the same windows, under Wine: 500 windows
# (a third each Internet Explorer frames, Mozilla frames and other windows) and, beside
# them, windows of the Chromium browsers' class from two more programs, chrome.exe and
# code.exe (CHROMIUM each, 60 unless told), all with titles that match nothing. The cycle
# runs with the switch for those browsers off and on.
# Usage: tick_bench.sh TEMPLATE_DIR BUILD_DIR [WINDOWS [REPEATS [CHROMIUM]]]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$2 count=${3:-500} repeats=${4:-30} chromium=${5:-60}
wine_session_start "$template" || exit 1
app="$SESSION/app"
mkdir -p "$app"
cp "$build/quellix_tick_bench.exe" "$build/quellix_spawner.exe" "$app/"
cp "$build/quellix_spawner.exe" "$app/chrome.exe"
cp "$build/quellix_spawner.exe" "$app/code.exe"

spawner_start "$app/quellix_spawner.exe" 600
spawner_start "$app/chrome.exe" 600 chrome
spawner_start "$app/code.exe" 600 code
classes=(IEFrame MozillaWindowClass Notepad)
spawn_many < <(for i in $(seq "$count"); do
  echo "open ${classes[$((i % 3))]} cf0000 0 An ordinary page about the weather, item $i - Browser"
done)
for i in $(seq "$chromium"); do
  spawn_to chrome "open Chrome_WidgetWin_1 cf0000 0 An ordinary page about the weather, tab $i - Google Chrome"
  spawn_to code "open Chrome_WidgetWin_1 cf0000 0 weather_$i.txt - Visual Studio Code"
done
spawn sync
sleep 1   # let the z-order settle
timeout 300 wine "$app/quellix_tick_bench.exe" "$repeats" | tr -d '\r'
spawn quit
spawn_to chrome quit
spawn_to code quit
