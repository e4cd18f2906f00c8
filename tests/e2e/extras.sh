#!/usr/bin/env bash
# The tray's own additions in the real program: "Recently burned" after two burns, choosing
# one selects the entry that burned it; "Pause for 15 minutes" burns nothing and the tooltip
# says until when; a window that ignores its close requests brings one warning balloon.
# Usage: extras.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'offers\r\ncasino\r\nstuck\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
spawner_start "$app/quellix_spawner.exe" 200
tip() {
  xdotool mousemove "$icon_x" "$icon_y"; sleep 0.3; xdotool mousemove $((icon_x + 1)) $((icon_y + 1))
  for _ in $(seq 30); do
    spawn tips
    text=$(echo "$answer" | sed 's/^tips //; s/ *$//')
    [ -n "$text" ] && return 0
    sleep 0.2
  done
}

quellix_start 180

# A window that ignores its close requests: burned at every tick, one balloon at the third.
spawn "open IEFrame cf0000 1 Stuck window - Microsoft Internet Explorer"
for _ in $(seq 120); do [ "$(closes "Stuck window")" -ge 3 ] && break; sleep 0.1; done
[ "$(closes "Stuck window")" -ge 3 ] || fail "the stuck window was asked $(closes "Stuck window") times"
balloon=""
for _ in $(seq 20); do
  spawn tips
  balloon=$(echo "$answer" | grep -o 'A pop-up does not close: Stuck window' | head -1)
  [ -n "$balloon" ] && break
  sleep 0.2
done
wine_screenshot "$shots/stuck-balloon.png"
[ -n "$balloon" ] || fail "no balloon for the stuck window (tips: $answer)"
spawn destroy "$(grep -m1 'close .* Stuck window' "$SESSION/closes.log" | awk '{print $2}')"
echo "stuck window: one balloon"

# Two burns, then the recent list: its second item is the first burn.
spawn "open IEFrame cf0000 0 Casino royale - Microsoft Internet Explorer"
burned_soon "Casino royale" || fail "the first pop-up was not burned"
spawn "open IEFrame cf0000 0 Cheap offers - Microsoft Internet Explorer"
burned_soon "Cheap offers" || fail "the second pop-up was not burned"
sleep 0.5
tray_menu_open
wine_screenshot "$shots/recently-burned-menu.png"
# Add New, Add open, Option, toggle, pause, pause, Recently burned; into it, newest first:
# "Cheap offers", then "Casino royale", which is chosen.
xdotool windowfocus "$menu" key Down Down Down Down Down Down Down Right
sleep 0.3
wine_screenshot "$shots/recently-burned.png"
xdotool key Down Return
main=$(wait_window '^Quellix$' 5) || fail "choosing a recent burn did not open the main window"
sleep 0.5
spawn countof "Quellix|SysListView32|0"
[ "$answer" = "count 3" ] || fail "the block list shows '$answer'"
spawn selectedof "Quellix|SysListView32|0"
[ "$answer" = "selected 2" ] || fail "'casino' is not the selected entry: '$answer'"
spawn enabled "Quellix|Remove"
[ "$answer" = "enabled 1" ] || fail "Remove is not ready after choosing a recent burn"
wine_window_shot "$main" "$shots/recent-selected.png"
echo "recently burned: the entry is selected"

# Back to the tray, then a pause: nothing burns and the tooltip says until when.
control_centre rect "Quellix|OK"
xdotool mousemove "$cx" "$cy" click 1
sleep 1
tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
[ -n "$tray" ] || fail "no tray icon after OK"
tray_menu_open
xdotool windowfocus "$menu" key Down Down Down Down Down Return   # "Pause for 15 minutes"
sleep 0.5
spawn "open IEFrame cf0000 0 Paused offers - Microsoft Internet Explorer"
sleep 4
[ "$(closes "Paused offers")" = 0 ] || fail "burned while paused"
tip
echo "$text" | grep -qE '^Quellix - paused until [0-2][0-9]:[0-5][0-9]$' || fail "the paused tooltip is '$text'"
echo "pause: nothing burned; tooltip '$text'"

tray_menu_open
xdotool windowfocus "$menu" key Up Return   # Exit
spawn quit
echo "PASS"
