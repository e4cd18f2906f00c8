#!/usr/bin/env bash
# The real program in tray mode: starts hidden with its icon in the notification area,
# burns matching browser frames within two ticks, counts and logs them, shows the count
# on hover, obeys its tray menu, stops burning while the main window is up, refuses a
# second copy, and leaves no icon and no process after "Exit".
# Usage: tray_mode.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'offers\r\ncasino\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
key=$QUELLIX_KEY

spawner_start "$app/quellix_spawner.exe" 240

spawn "open IEFrame cf0000 0 Cheap Offers - Microsoft Internet Explorer"
spawn "open MozillaWindowClass cf0000 0 Online casino - Mozilla"
spawn "open Notepad cf0000 0 offers - Notepad"
spawn "open IEFrame cf0000 0 My Bank - Microsoft Internet Explorer"

timeout 200 wine "$app/quellix.exe" &
first=$!
burned_soon "IEFrame Cheap Offers" || fail "IE pop-up not burned: $(cat "$SESSION/closes.log" 2>/dev/null)"
burned_soon "MozillaWindowClass Online casino" || fail "Mozilla pop-up not burned"
closed "Notepad" && fail "a non-browser window was closed"
closed "My Bank" && fail "an unblocked frame was closed"
cnt=$(wine reg query "$key" /v cnt 2>/dev/null | tr -d '\r' | awk '/cnt/ {print $3}')
[ "$cnt" = 2 ] || fail "cnt is '$cnt', expected 2"
size=$(stat -c %s "$app/popuplog.txt" 2>/dev/null || echo 0)
[ "$size" = 300 ] || fail "log is $size bytes, expected 300"
echo "burned: cnt=$cnt, log=$size bytes"

tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
[ -n "$tray" ] || fail "no tray icon"
eval "$(xdotool getwindowgeometry --shell "$tray")"
icon_x=$((X + 13)) icon_y=$((Y + 32))

# Hovering shows the count read at that moment.
xdotool mousemove "$icon_x" "$icon_y"
sleep 0.3
xdotool mousemove $((icon_x + 1)) $((icon_y + 1))
tip=""
for _ in $(seq 30); do
  spawn tips
  tip=$(echo "$answer" | sed 's/^tips //; s/ *$//')
  [ -n "$tip" ] && break
  sleep 0.2
done
[ "$tip" = "Quellix > 2 < Popups Burned" ] || fail "tooltip is '$tip'"
echo "tooltip: $tip"

# The menu opens on the right button; items are chosen by keyboard, as a user may.
choose() { xdotool windowfocus "$menu" key "$@"; sleep 0.5; }

tray_menu_open
wine_screenshot "$shots/tray-menu.png"
choose Down Down Down Down Return   # "Disable (Turn Off) Popups burn  "
spawn "open IEFrame cf0000 0 Special offers - Microsoft Internet Explorer"
burned_soon "Special offers" && fail "burned while burning was turned off"
echo "turned off: nothing burned"
tray_menu_open
choose Down Down Down Down Return   # "Enable (Turn On) Popups Burn"
burned_soon "Special offers" || fail "not burned after burning was turned on again"
echo "turned on again: burned"
# A click elsewhere closes the menu without choosing anything.
tray_menu_open
xdotool mousemove 900 900 click 1
sleep 0.5
xdotool search --onlyvisible --class 'quellix.exe' 2>/dev/null | while read -r w; do
  [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] && echo "$w"; done | grep -q . &&
  fail "the menu stayed open after a click elsewhere"
echo "a click elsewhere closes the menu"

# A second copy says so and ends.
timeout 20 wine "$app/quellix.exe" &
second=$!
box=$(wait_window '^Quellix$' 5) || fail "no message from the second copy"
wine_screenshot "$shots/second-copy.png"
xdotool windowfocus "$box" key Return 2>/dev/null
wait "$second" || true
echo "second copy refused"

# A double-click on the icon brings up the main window, and nothing burns while it is up.
xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
main=$(wait_window '^Quellix$' 5) || fail "double-click did not open the main window"
xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null && fail "the icon stayed with the main window up"
sleep 0.5
wine_screenshot "$shots/main-window.png"
# The page buttons: "Popup Options" (left 120, top 1785 twips) covers the block list with the
# options page; "PopUp Caption" (top 1245) brings the list back. The list is white.
eval "$(xdotool getwindowgeometry --shell "$main")"
list_pixel() {
  wine_screenshot "$SESSION/page.png"
  convert "$SESSION/page.png" -format "%[pixel:p{$((X + 4 + 300)),$((Y + 22 + 250))}]" info:
}
xdotool mousemove $((X + 4 + 8 + 40)) $((Y + 22 + 119 + 12)) click 1
wait_until 3 '[ "$(list_pixel)" != "srgb(255,255,255)" ]' || fail "the options page does not cover the block list"
xdotool mousemove $((X + 4 + 8 + 40)) $((Y + 22 + 83 + 12)) click 1
wait_until 3 '[ "$(list_pixel)" = "srgb(255,255,255)" ]' || fail "the block list did not come back"
echo "pages switch"

spawn "open IEFrame cf0000 0 Last offers - Microsoft Internet Explorer"
burned_soon "Last offers" && fail "burned while the main window was up"
echo "main window up: nothing burned"

# "OK" (left 3945, top 5235 twips: 263, 349 pixels in the client area, below the caption bar
# Wine draws itself) returns to the tray, where burning resumes.
xdotool mousemove $((X + 4 + 263 + 40)) $((Y + 22 + 349 + 14)) click 1
burned_soon "Last offers" || fail "not burned after OK returned to the tray"
xdotool search --onlyvisible --name '^Quellix$' >/dev/null 2>&1 && fail "the main window stayed after OK"
tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
[ -n "$tray" ] || fail "no tray icon after OK"
echo "OK returned to the tray"

# "Option" from the menu shows the main window in its normal state, also the second time,
# after "OK" has minimised it on the way to the tray.
for round in 1 2; do
  tray_menu_open
  choose Down Down Down Return   # "Option"
  for _ in $(seq 30); do
    spawn state Quellix
    [ "$answer" = "state visible=1 iconic=0" ] && break
    sleep 0.1
  done
  [ "$answer" = "state visible=1 iconic=0" ] || fail "Option, round $round: the main window is '$answer'"
  [ "$round" = 2 ] && wine_screenshot "$shots/option-again.png"
  main=$(wait_window '^Quellix$' 5) || fail "no main window after Option"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove $((X + 4 + 263 + 40)) $((Y + 22 + 349 + 14)) click 1   # "OK"
  for _ in $(seq 30); do
    spawn state Quellix
    [ "$answer" = "state visible=0 iconic=1" ] && break
    sleep 0.1
  done
  [ "$answer" = "state visible=0 iconic=1" ] || fail "OK, round $round: the main window is '$answer'"
done
echo "Option, OK, Option: the main window comes back normal"

# "Exit" is the menu's last item.
tray_menu_open
choose Up Return
for _ in $(seq 50); do kill -0 "$first" 2>/dev/null || break; sleep 0.1; done
kill -0 "$first" 2>/dev/null && fail "still running after Exit"
sleep 0.5
xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null && fail "an icon is left after Exit"
echo "Exit ended the program and removed the icon"

# A close request to the process, as a task manager sends it, also takes the icon away.
timeout 60 wine "$app/quellix.exe" &
third=$!
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null || fail "no icon after the restart"
wine taskkill /im quellix.exe >/dev/null 2>&1
for _ in $(seq 50); do kill -0 "$third" 2>/dev/null || break; sleep 0.1; done
kill -0 "$third" 2>/dev/null && fail "still running after a close request"
sleep 0.5
xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null && fail "an icon is left after a close request"
echo "a close request ended the program and removed the icon"
spawn quit
echo "PASS"
