#!/usr/bin/env bash
# Chromium-based browsers in the real program. Two copies of the pop-up spawner, named
# chrome.exe and code.exe, open windows of the browsers' class with listed titles. A burn
# closes a whole browser window, so only young frames burn: with "chromium" on, a chrome.exe
# pop-up opened after Quellix's first tick is burned, counted and logged as "Chromium", while
# code.exe's windows, the chrome.exe window open before the start, and a chrome.exe window
# that takes a listed title only after 12 s all stay. After a restart with the switch off,
# nothing is touched. The options page's check box then turns the switch on again, its
# tooltip says what burning closes and which windows, and back in the tray a fresh pop-up of
# the browser burns.
# Usage: chromium.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'offers\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
cp "$app/quellix_spawner.exe" "$app/chrome.exe"
cp "$app/quellix_spawner.exe" "$app/code.exe"
key=$QUELLIX_KEY
class=Chrome_WidgetWin_1
set_chromium() { wine reg add "$key" /v chromium /t REG_SZ /d "$1" /f >/dev/null 2>&1; }
reg_value() { reg_get "$key" "$1"; }
start_quellix() {
  timeout 60 wine "$app/quellix.exe" &
  quellix=$!
}

# Waits for a tick of Quellix: the Internet Explorer frame it opens with a listed title is
# burned at every tick. The Chromium frames met at that tick are the ones already open.
tick_seen() {  # CAPTION
  spawn "open IEFrame cf0000 0 $1 - Microsoft Internet Explorer"
  for _ in $(seq 80); do [ "$(grep -c "close .* $1" "$SESSION/closes.log" 2>/dev/null)" -ge 1 ] && return 0; sleep 0.1; done
  fail "no tick burned '$1'"
  sleep 0.3   # the walk that burned it is over
}
window_id() { echo "${answer#ok }"; }
# Sleeps until SECONDS have passed since START (from now_ms).
sleep_until_since() {  # START SECONDS
  local left=$(($1 + $2 * 1000 - $(now_ms)))
  [ "$left" -gt 0 ] && sleep "$(printf '%d.%03d' $((left / 1000)) $((left % 1000)))"
  return 0
}

spawner_start "$app/quellix_spawner.exe" 110
spawner_start "$app/chrome.exe" 110 chrome
spawner_start "$app/code.exe" 110 code
spawn_to chrome "open $class cf0000 0 Cheap offers - Google Chrome"
spawn_to code "open $class cf0000 0 Weekly offers - Visual Studio Code"

# 1. Switch on: a fresh pop-up of the browser burns; the editor's windows, the browser
#    window open before the start and the one that takes a listed title late all stay.
set_chromium 1
start_quellix
tick_seen "Sentinel offers 1"
spawn_to chrome "open $class cf0000 0 My bank - Google Chrome"
own=$(window_id) own_opened=$(now_ms)
spawn_to chrome "open $class cf0000 0 More offers - Google Chrome"
spawn_to code "open $class cf0000 0 Daily offers - Visual Studio Code"
burned_soon "More offers" chrome || fail "chrome.exe's pop-up was not burned"
sleep 3.2   # one tick more
[ "$(closes offers code)" = 0 ] || fail "code.exe's window was burned"
[ "$(closes "More offers" chrome)" = 1 ] || fail "chrome.exe's pop-up had $(closes "More offers" chrome) close requests"
[ "$(closes "Cheap offers" chrome)" = 0 ] || fail "chrome.exe's window open before the start was burned"
[ "$(reg_value cnt)" = 2 ] || fail "cnt is '$(reg_value cnt)'"
[ "$(stat -c %s "$app/popuplog.txt")" = 300 ] || fail "the log holds $(stat -c %s "$app/popuplog.txt") bytes"
record=$(tail -c 150 "$app/popuplog.txt" | tr '\0' ' ')
[ "$(field "${record:0:30}")" = Chromium ] || fail "logged as '${record:0:30}'"
[ "$(field "${record:50:100}")" = "More offers" ] || fail "logged title '${record:50:100}'"
echo "switch on: the chrome.exe pop-up burned and logged as Chromium; code.exe and the window open before left alone"
# The user's window takes a listed title 13 s after it opened: the cycle met it within one
# tick (3 s) of opening, so it is past its first 10 s whatever the timer's jitter.
sleep_until_since "$own_opened" 13
spawn_to chrome "retitle $own Mortgage offers - Google Chrome"
[ "$answer" = "retitled 1" ] || fail "the spawner did not retitle ($answer)"
spawn_to chrome "open $class cf0000 0 Fresh offers - Google Chrome"
burned_soon "Fresh offers" chrome || fail "a fresh chrome.exe pop-up was not burned"
sleep 6.5   # two ticks more
[ "$(closes "Mortgage offers" chrome)" = 0 ] || fail "the window that took a listed title after 12 s was burned"
[ "$(reg_value cnt)" = 3 ] || fail "cnt is '$(reg_value cnt)'"
echo "young frames only: a window listed after 12 s stays, a fresh pop-up still burns"

# 2. Switch off, after a restart: nothing of the browsers is touched.
stop_quellix
set_chromium 0
start_quellix
tick_seen "Sentinel offers 2"
spawn_to chrome "open $class cf0000 0 Even more offers - Google Chrome"
sleep 7.5   # two ticks and a margin
[ "$(closes "Even more offers" chrome)" = 0 ] || fail "chrome.exe's window was burned with the switch off"
[ "$(closes offers code)" = 0 ] || fail "code.exe's window was burned with the switch off"
[ "$(reg_value cnt)" = 4 ] || fail "cnt is '$(reg_value cnt)' with the switch off"
echo "switch off: no browser window burned"

# 3. The check box turns it on; its tooltip says what burning closes.
tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
[ -n "$tray" ] || fail "no tray icon"
eval "$(xdotool getwindowgeometry --shell "$tray")"
icon_x=$((X + 13)) icon_y=$((Y + 32))
options_page_open
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
case "$tip" in *"whole browser window with all its tabs"*"in their first 10 seconds"*) ;; *) fail "the tooltip says '$tip'" ;; esac
# The tooltip is an unnamed window of the program; a capture of the whole display shows it black.
for w in $(xdotool search --onlyvisible --class 'quellix.exe' 2>/dev/null); do
  [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] && wine_window_shot "$w" "$shots/options-chromium-tip.png" && break
done
xdotool click 1
for _ in $(seq 20); do [ "$(reg_value chromium)" = 1 ] && break; sleep 0.1; done
[ "$(reg_value chromium)" = 1 ] || fail "the check box stored '$(reg_value chromium)'"
spawn click "Quellix|OK"
# Back in the tray after a while in the main window, the first tick meets what is open as
# old, as at the start: the pop-up comes after it.
tick_seen "Sentinel offers 3"
spawn_to chrome "open $class cf0000 0 Last offers - Google Chrome"
burned_soon "Last offers" chrome || fail "not burned after the check box turned the switch on"
[ "$(closes "Even more offers" chrome)" = 0 ] || fail "the window open while the switch was off was burned"
[ "$(closes offers code)" = 0 ] || fail "code.exe's window was burned"
echo "check box: stored, tooltip shown, burning follows"

stop_quellix
spawn quit
echo "PASS"
