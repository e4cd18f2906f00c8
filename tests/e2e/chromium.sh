#!/usr/bin/env bash
# Chromium-based browsers in the real program. Two copies of the pop-up spawner, named
# chrome.exe and code.exe, each open a window of the browsers' class with a listed title.
# With "chromium" on, only chrome.exe's window is burned, counted and logged as "Chromium";
# after a restart with the switch off, neither is touched. The options page's check box
# then turns the switch on again, its tooltip says what burning closes, and back in the tray
# the browser's window burns.
# Usage: chromium.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"
fail() { echo "FAIL: $*"; exit 1; }

printf 'offers\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
cp "$app/quellix_spawner.exe" "$app/chrome.exe"
cp "$app/quellix_spawner.exe" "$app/code.exe"
key=$QUELLIX_KEY
class=Chrome_WidgetWin_1
set_chromium() { wine reg add "$key" /v chromium /t REG_SZ /d "$1" /f >/dev/null 2>&1; }
reg_value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v {print $3}'; }
closes() {  # SPAWNER CAPTION: close requests received, 0 before the first
  local n
  n=$(grep -c "close .* $2" "$SESSION/$1-closes.log" 2>/dev/null)
  echo "${n:-0}"
}
# Waits up to two ticks and a margin for a window of that spawner to be burned.
burned_soon() {  # SPAWNER CAPTION
  for _ in $(seq 80); do [ "$(closes "$1" "$2")" -ge 1 ] && return 0; sleep 0.1; done
  return 1
}
start_quellix() {
  timeout 60 wine "$app/quellix.exe" &
  quellix=$!
}
stop_quellix() {
  wine taskkill /im quellix.exe >/dev/null 2>&1
  for _ in $(seq 50); do kill -0 "$quellix" 2>/dev/null || return 0; sleep 0.1; done
  fail "quellix did not end"
}

spawner_start "$app/quellix_spawner.exe" 60
spawner_start "$app/chrome.exe" 60 chrome
spawner_start "$app/code.exe" 60 code
spawn_to chrome "open $class cf0000 0 Cheap offers - Google Chrome"
spawn_to code "open $class cf0000 0 Weekly offers - Visual Studio Code"

# 1. Switch on: the browser's window burns, the editor's stays.
set_chromium 1
start_quellix
burned_soon chrome "Cheap offers" || fail "chrome.exe's window was not burned"
sleep 3.2   # one tick more
[ "$(closes code offers)" = 0 ] || fail "code.exe's window was burned"
[ "$(closes chrome offers)" = 1 ] || fail "chrome.exe's window had $(closes chrome offers) close requests"
[ "$(reg_value cnt)" = 1 ] || fail "cnt is '$(reg_value cnt)'"
record=$(head -c 150 "$app/popuplog.txt" | tr '\0' ' ')
[ "$(stat -c %s "$app/popuplog.txt")" = 150 ] || fail "the log holds $(stat -c %s "$app/popuplog.txt") bytes"
[ "$(field "${record:0:30}")" = Chromium ] || fail "logged as '${record:0:30}'"
[ "$(field "${record:50:100}")" = "Cheap offers" ] || fail "logged title '${record:50:100}'"
echo "switch on: chrome.exe burned and logged as Chromium, code.exe left alone"

# 2. Switch off, after a restart: neither is touched.
stop_quellix
set_chromium 0
spawn_to chrome "open $class cf0000 0 More offers - Google Chrome"
start_quellix
sleep 7.5   # two ticks and a margin
[ "$(closes chrome "More offers")" = 0 ] || fail "chrome.exe's window was burned with the switch off"
[ "$(closes code offers)" = 0 ] || fail "code.exe's window was burned with the switch off"
[ "$(reg_value cnt)" = 1 ] || fail "cnt is '$(reg_value cnt)' with the switch off"
echo "switch off: nothing burned"

# 3. The check box turns it on; its tooltip says what burning closes.
tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
[ -n "$tray" ] || fail "no tray icon"
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove $((X + 13)) $((Y + 32)) click --repeat 2 --delay 80 1
wait_window '^Quellix$' 5 >/dev/null || fail "the main window did not open"
sleep 0.5
spawn click "Quellix|Popup Options"
sleep 0.5
caption="Burn Chrome / Edge / Brave / Opera / Vivaldi pop-ups"
spawn rect "Quellix|$caption"
read -r _ l t r b <<<"$answer"
[ "$l" != none ] && [ -n "${b:-}" ] || fail "no check box '$caption' ($answer)"
wine_screenshot "$shots/options-chromium.png"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
sleep 0.1
xdotool mousemove $(((l + r) / 2 + 2)) $(((t + b) / 2 + 1))
tip=""
for _ in $(seq 30); do
  spawn tips
  tip=${answer#tips }
  [ -n "$tip" ] && break
  sleep 0.1
done
case "$tip" in *"whole browser window with all its tabs"*) ;; *) fail "the tooltip says '$tip'" ;; esac
xdotool click 1
for _ in $(seq 20); do [ "$(reg_value chromium)" = 1 ] && break; sleep 0.1; done
[ "$(reg_value chromium)" = 1 ] || fail "the check box stored '$(reg_value chromium)'"
spawn click "Quellix|OK"
burned_soon chrome "More offers" || fail "not burned after the check box turned the switch on"
[ "$(closes code offers)" = 0 ] || fail "code.exe's window was burned"
echo "check box: stored, tooltip shown, burning follows"

stop_quellix
spawn quit
echo "PASS"
