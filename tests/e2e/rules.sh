#!/usr/bin/env bash
# Rules for other programs' windows in the real program. Copies of the pop-up spawner named
# nagware.exe, other.exe and explorer.exe show dialog boxes (#32770) as ordinary programs
# show their notices. With popcfg.rules naming nagware.exe's notices:
#   - its owned "Update available" dialog closes within 5 s, while its main window and the
#     same dialog of other.exe stay;
#   - its "Trial" dialog gets "Remind me &later" pressed, never "Buy now";
#   - its "Notice" saying "Buy ink now" closes, the "Notice" saying something else stays;
#   - explorer.exe's dialog is never touched, whatever a rule names;
#   - the counter, the log (with the program's name) and the rules' figures show the actions.
# Usage: rules.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'sentinel\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
for program in nagware other explorer; do cp "$app/quellix_spawner.exe" "$app/$program.exe"; done
printf 'program\tclass\ttitle\ttext\taction\r\n# the notices of the office printer helper\r\nnagware.exe\t#32770\tUpdate available\t\tclose\r\nnagware.exe\t#32770\tTrial\t\tpress:Remind me &later\r\nnagware.exe\t#32770\tNotice\tbuy ink now\tclose\r\nexplorer.exe\t#32770\tUpdate available\t\tclose\r\n' \
  >"$app/popcfg.rules"
rules_before=$(cat "$app/popcfg.rules")
reg_value() { reg_get "$QUELLIX_KEY" "$1"; }
pressed() {  # CAPTION NAME: the presses of buttons whose caption holds CAPTION; 0 before the first
  local n
  n=$(grep -c "pressed .* $1" "$SESSION/$2-closes.log" 2>/dev/null)
  echo "${n:-0}"
}

spawner_start "$app/quellix_spawner.exe" 110
for program in nagware other explorer; do spawner_start "$app/$program.exe" 110 "$program"; done

quellix_start 100
spawn "open IEFrame cf0000 0 Sentinel - Microsoft Internet Explorer"
burned_soon "Sentinel" || fail "no tick burned the sentinel"
sleep 0.3

spawn_to nagware "open NagWareMain cf0000 0 NagWare - Update available"
main=${answer#ok }
started=$(now_ms)
spawn_to nagware "dialog $main 0 Update available|A new version of NagWare is ready.|OK"
spawn_to other "dialog 0 0 Update available|A new version of Other is ready.|OK"
spawn_to explorer "dialog 0 0 Update available|A new version of Explorer is ready.|OK"
spawn_to nagware "dialog $main 0 Your Trial ends|3 days left.|Buy now|Remind me &later"
spawn_to nagware "dialog $main 0 Notice|Your printer is low. Buy INK now!|OK"
spawn_to nagware "dialog $main 0 Notice|The document was printed.|OK"
wait_until 5 '[ "$(closes "#32770 Update available" nagware)" -ge 1 ]' ||
  fail "nagware.exe's Update available dialog was not closed within 5 s"
echo "nagware.exe's Update available closed after $(($(now_ms) - started)) ms"
wait_until 5 '[ "$(pressed "Remind me &later" nagware)" -ge 1 ]' || fail "Remind me later was not pressed"
wait_until 5 '[ "$(closes "#32770 Notice" nagware)" -ge 1 ]' || fail "the Notice of ink was not closed"
sleep 6.5   # two ticks more: nothing else may go
[ "$(closes "NagWareMain" nagware)" = 0 ] || fail "nagware.exe's main window was closed"
[ "$(closes "Update available" other)" = 0 ] || fail "other.exe's dialog was closed"
[ "$(closes "Update available" explorer)" = 0 ] || fail "explorer.exe's dialog was touched"
[ "$(pressed "" explorer)" = 0 ] || fail "a button of explorer.exe's dialog was pressed"
[ "$(pressed "Buy now" nagware)" = 0 ] || fail "Buy now was pressed"
[ "$(pressed "Remind me &later" nagware)" = 1 ] || fail "Remind me later was pressed $(pressed "Remind me &later" nagware) times"
[ "$(closes "#32770 Notice" nagware)" = 1 ] || fail "a Notice was closed $(closes "#32770 Notice" nagware) times: the one of other text too?"
wine_screenshot "$shots/rules-after.png"
echo "the dialogs named closed or pressed; main window, other.exe, explorer.exe and the other Notice untouched"

[ "$(reg_value cnt)" = 4 ] || fail "cnt is '$(reg_value cnt)'"   # the sentinel and three actions
log=$(print_log_rows "$app/popuplog.txt")
[ "$(grep -c 'nagware.exe' <<<"$log")" = 3 ] || fail "the log does not show three actions of nagware.exe: $log"
grep -q "Your Trial ends" <<<"$log" || fail "the log does not name the trial dialog: $log"
figures=$(cat "$app/popcfg.rulehits" 2>/dev/null)
for rule in 'Update available\\t\\tclose' 'Trial\\t\\tpress:Remind me &later' 'Notice\\tbuy ink now\\tclose'; do
  grep -q "^1	.*$rule" <<<"$figures" || fail "the figures do not credit '$rule': $figures"
done
[ "$(cat "$app/popcfg.rules")" = "$rules_before" ] || fail "popcfg.rules was changed"
echo "counted, logged with the program's name and credited to each rule"

# The rules page shows the rules with their figures.
main_window_open
spawn click "Quellix|Window Rules"
sleep 0.8
wine_screenshot "$shots/rules-page.png"
rows=""
for i in 0 1 2 3 4; do
  spawn countof "Quellix|SysListView32|$i"
  [ "$answer" = "count 4" ] && rows=4
done
[ "$rows" = 4 ] || fail "no list on the rules page shows the four lines"
echo "the rules page shows the four lines"

# A new rule taken with the crosshair: dragged from the rule dialog onto a window of
# nagware.exe, it fills the fields with that window's program, class and title.
spawn click "Quellix|Add"
wait_window '^Window Rule$' 5 >/dev/null || fail "the rule dialog did not open"
sleep 0.5
control_centre rectof "Window Rule|QuellixWindowFinder|0"
finder_x=$cx finder_y=$cy
# A window of nagware.exe opened now lies above the others, under the dialog only.
spawn_to nagware "open NagWareMain cf0000 0 NagWare - Settings"
sleep 0.5
target=$(xdotool search --onlyvisible --name '^NagWare - Settings$' | head -1)
[ -n "$target" ] || fail "nagware.exe's new window is not shown"
eval "$(xdotool getwindowgeometry --shell "$target")"
xdotool mousemove "$finder_x" "$finder_y" mousedown 1
sleep 0.2
xdotool mousemove $((X + 40)) $((Y + 50))   # a part the dialog leaves uncovered
sleep 0.2
wine_screenshot "$shots/rule-dialog-dragging.png"
xdotool mouseup 1
sleep 0.5
# The fields, topmost first: the button's caption, text, title, class, program.
spawn textof "Window Rule|Edit|4"
[ "$answer" = "text nagware.exe" ] || fail "the crosshair did not fill the program: '$answer'"
spawn textof "Window Rule|Edit|3"
[ "$answer" = "text NagWareMain" ] || fail "the crosshair did not fill the class: '$answer'"
spawn textof "Window Rule|Edit|2"
[ "$answer" = "text NagWare - Settings" ] || fail "the crosshair did not fill the title: '$answer'"
spawn textof "Window Rule|Static|1"
[ "$answer" = "text Names 1 of the windows open now" ] || fail "the preview does not count the window picked: '$answer'"
wine_window_shot "$(xdotool search --onlyvisible --name '^Window Rule$' | head -1)" "$shots/rule-dialog.png"
echo "the crosshair dropped on a window of nagware.exe filled the rule dialog"

# From the keyboard: Alt+T goes to the title field, Enter is OK; the rule is stored at once.
dialog=$(xdotool search --onlyvisible --name '^Window Rule$' | head -1)
xdotool windowfocus "$dialog" key alt+t
sleep 0.3
xdotool key Return
wait_until 5 "! xdotool search --onlyvisible --name '^Window Rule$' >/dev/null 2>&1" || fail "Enter did not end the rule dialog"
grep -q "^nagware.exe	NagWareMain	NagWare - Settings		close" "$app/popcfg.rules" ||
  fail "the rule taken is not stored: $(cat "$app/popcfg.rules")"
echo "Alt+T and Enter stored the rule"
stop_quellix
spawn quit
echo "PASS"
