#!/usr/bin/env bash
# The main window's pages in the real program, driven with the mouse and keyboard as a user
# would: a title added through the picker burns at the next tick; an entry edited and one
# removed (highlighted with the arrow keys) survive Apply and a restart; a list exported and
# imported; the log viewer shows the burns; auto start writes and empties both Run values;
# the browser information tool asks a DDE server and says when there is none. Screenshots of
# every page and dialog.
# Usage: pages.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'offers\r\ncasino\r\npoker\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
cp "$build/quellix_dde_responder.exe" "$app/"
key=$QUELLIX_KEY
list="$app/popcfg.apo"
spawner_start "$app/quellix_spawner.exe" 300

click() {  # FORM TEXT
  control_centre rect "$1|$2"
  xdotool mousemove "$cx" "$cy" click 1
  sleep 0.4
}
# Clicks row N (1-based) of the first list view of a form.
click_row() {  # FORM N [repeat]
  spawn rectof "$1|SysListView32|0"
  read -r _ l t _ _ <<<"$answer"
  [ "$l" != none ] || fail "no list view on $1"
  xdotool mousemove $((l + 60)) $((t + 4 + 20 + ($2 - 1) * 17 + 8)) click --repeat "${3:-1}" --delay 80 1
  sleep 0.4
}
# Waits up to three seconds for the form's first shown list view to hold N rows; the count
# seen last is left in $nrows. (Not in $( ): spawn counts its answers.)
wait_rows() {  # FORM N
  for _ in $(seq 30); do
    spawn countof "$1|SysListView32|0"
    nrows=${answer#count }
    [ "$nrows" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

quellix_start 250

# 1. The picker, from the tray menu: a title picked from the open windows is saved at once
#    and burns at the next tick.
spawn "open IEFrame cf0000 0 Lottery winners - Microsoft Internet Explorer"
tray_menu_open
xdotool windowfocus "$menu" key Down Return
picker=$(wait_window '^Add New Popup window Title\.$' 5) || fail "the picker did not open"
sleep 1
wine_window_shot "$picker" "$shots/picker.png"
spawn rectof "Add New Popup window Title.|ListBox|0"
read -r _ l t _ _ <<<"$answer"
row_x=$((l + 40)) row_y=$((t + 8))
xdotool mousemove "$row_x" "$row_y" click 1
sleep 0.3
spawn textof "Add New Popup window Title.|Edit|0"
[ "$answer" = "text Lottery winners" ] || fail "picking a row gave '$answer'"
# Edited, then the row clicked again although it is still selected: copied again.
control_centre rectof "Add New Popup window Title.|Edit|0"
xdotool mousemove "$cx" "$cy" click 1 key End shift+Home type "Lottery"
sleep 0.3
spawn textof "Add New Popup window Title.|Edit|0"
[ "$answer" = "text Lottery" ] || fail "the picker's text field holds '$answer' after typing"
xdotool mousemove "$row_x" "$row_y" click 1
sleep 0.3
spawn textof "Add New Popup window Title.|Edit|0"
[ "$answer" = "text Lottery winners" ] || fail "clicking the selected row again gave '$answer'"
click "Add New Popup window Title." "OK"
grep -q $'^Lottery winners\r$' "$list" || fail "the picked title is not in popcfg.apo: $(cat -v "$list")"
burned_soon "IEFrame Lottery winners" || fail "the picked title was not burned"
echo "picker: title added, saved and burned"

# 2. Edit and remove, Apply, restart. Two browser windows are open meanwhile; nothing burns
#    in window mode.
main_window_open
spawn "open IEFrame cf0000 0 Casino night - Microsoft Internet Explorer"
spawn "open IEFrame cf0000 0 Weather - Microsoft Internet Explorer"
wine_screenshot "$shots/caption-page.png"
wait_rows Quellix 4 || fail "the list shows $nrows rows"
spawn enabled "Quellix|Edit"
[ "$answer" = "enabled 0" ] || fail "Edit is enabled before a click"
click_row Quellix 2 2   # a double-click edits "casino"
editor=$(wait_window '^Window title To Edit$' 5) || fail "the edit dialog did not open"
sleep 0.3
spawn textof "Window title To Edit|Edit|0"
[ "$answer" = "text casino" ] || fail "the edit dialog shows '$answer'"
spawn textof "Window title To Edit|Static|0"
[ "$answer" = "text Would burn 1 of the 2 browser windows open now" ] || fail "the preview line says '$answer'"
sleep 0.7
wine_window_shot "$editor" "$shots/edit-dialog.png"
control_centre rectof "Window title To Edit|Edit|0"
xdotool mousemove "$cx" "$cy" click 1 key End shift+Home type "Casinos"
click "Window title To Edit" "OK"
[ "$(tr -d '\r' <"$list" | sed -n 2p)" = Casinos ] || fail "the edit is not in popcfg.apo: $(cat -v "$list")"
click_row Quellix 1
xdotool key Down Down   # the highlight goes to "poker" by keyboard: Remove takes that one
sleep 0.3
click Quellix Remove
box=$(wait_window '^Quellix$' 5)
xdotool key Return   # Yes
wait_rows Quellix 3 || fail "Remove left $nrows rows"
click Quellix Apply
[ "$(tr -d '\r' <"$list" | tr '\n' ,)" = "offers,Casinos,Lottery winners," ] || fail "after Apply: $(cat -v "$list")"
click Quellix Exit
for _ in $(seq 50); do kill -0 "$quellix" 2>/dev/null || break; sleep 0.1; done
quellix_start 250
main_window_open
wait_rows Quellix 3 || fail "after a restart the list shows $nrows rows"
echo "edit, remove, apply, restart: kept"

# 3. Export, then import the same file.
click Quellix Export
wait_window '^Save As$' 5 >/dev/null || fail "no save dialog"
sleep 0.5
xdotool type 'C:\exported.pao'
xdotool key Return
sleep 1
exported="$WINEPREFIX/drive_c/exported.pao"
[ "$(od -An -c "$exported" | tr -s ' ')" = "$(printf 'offers\r\nCasinos\r\nLottery winners\r\n' | od -An -c | tr -s ' ')" ] ||
  fail "exported bytes: $(od -c "$exported" 2>&1 | head -3)"
click Quellix Import
wait_window '^Open$' 5 >/dev/null || fail "no open dialog"
sleep 0.5
xdotool type 'C:\exported.pao'
xdotool key Return
sleep 1
wait_rows Quellix 6 || fail "import shows $nrows rows"
echo "export and import: $(stat -c %s "$exported") bytes, listed twice"

# 4. The options page, logging and the log viewer.
click Quellix "Popup Options"
sleep 0.3
wine_screenshot "$shots/options-page.png"
records=$(( $(stat -c %s "$app/popuplog.txt" 2>/dev/null || echo 0) / 150 ))
[ "$records" -ge 1 ] || fail "no burn was logged"
click Quellix "View Log File"
sleep 0.7
spawn countof "Quellix|SysListView32|0"   # the log panel's list lies on top
[ "$answer" = "count $records" ] || fail "the log viewer shows '$answer' for $records records"
wine_screenshot "$shots/log-viewer.png"
click Quellix Cancel
echo "log viewer: $records rows"

# 5. Auto start: both Run values hold the quoted program path, then the empty text.
click Quellix "Auto Start With Windows"
nt='Software\Microsoft\Windows NT\CurrentVersion\Run'
win='Software\Microsoft\Windows\CurrentVersion\Run'
want="\"$(winepath -w "$app" 2>/dev/null)\\quellix.exe\""
for k in "$nt" "$win"; do
  for _ in $(seq 20); do spawn regvalue "HKCU|$k|Kelvane Quellix"; [ "${answer#value * }" = "$want\\0" ] && break; sleep 0.1; done
  [ "${answer#value * }" = "$want\\0" ] || fail "Run value under $k: '$answer', want '$want'"
done
sleep 0.6   # not a double-click
click Quellix "Auto Start With Windows"
for k in "$nt" "$win"; do
  for _ in $(seq 20); do spawn regvalue "HKCU|$k|Kelvane Quellix"; [ "$answer" = "value 0 " ] && break; sleep 0.1; done
  [ "$answer" = "value 0 " ] || fail "Run value under $k after clearing: '$answer'"
done
echo "auto start: quoted path, then empty"

# 6. Browser information, with no browser and with a DDE server answering.
spawn click "Quellix|get IE URLS"
for _ in $(seq 30); do spawn rect "Quellix|Browser not loaded."; [ "$answer" != "rect none" ] && break; sleep 0.2; done
[ "$answer" != "rect none" ] || fail "no 'Browser not loaded.' without a browser"
timeout 60 wine "$app/quellix_dde_responder.exe" --seconds 50 '"http://www.example.com/","Example, a page","1"' \
  >"$SESSION/dde.out" 2>&1 &
for _ in $(seq 50); do grep -q READY "$SESSION/dde.out" && break; sleep 0.1; done
spawn click "Quellix|get IE URLS"
for _ in $(seq 30); do spawn textafter "Quellix|URL : "; [ "$answer" = "text http://www.example.com/" ] && break; sleep 0.2; done
[ "$answer" = "text http://www.example.com/" ] || fail "the address box holds '$answer'"
spawn textafter "Quellix|Window Title:"
[ "$answer" = "text Example, a page" ] || fail "the title box holds '$answer'"
echo "browser information: asked and answered"

click Quellix Exit
spawn quit
echo "PASS"
