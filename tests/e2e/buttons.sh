#!/usr/bin/env bash
# The drawn buttons of the real program: the mouse over a page button and over a command
# button shows their hover fill and outline on screen; a click, the Space key and the
# accessible default action each run a button's action; a press dragged off runs none; screen
# readers find the buttons as push buttons; a press begun on the form and dragged across a
# button leaves it up; and thousands of hovers, presses and repaints
# leave the program's GDI object count flat. Screenshots of the hovered buttons.
# Usage: buttons.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'offers\r\ncasino\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
spawner_start "$app/quellix_spawner.exe" 220

# A pixel of a screenshot as "R,G,B".
pixel() {  # FILE X Y
  convert "$1" -format "%[pixel:p{$2,$3}]" info: | sed -E 's/^s?rgba?\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/; s/^gray\(([0-9]+)\)/\1,\1,\1/'
}
expect_pixel() {  # FILE X Y R,G,B WHAT
  local got
  got=$(pixel "$1" "$2" "$3")
  [ "$got" = "$4" ] || fail "$5: pixel ($2,$3) is $got, expected $4"
}
options_shown() {  # the options page lies in the main window's page area
  spawn rect "Quellix|Enable Logging"
  read -r _ l _ _ _ <<<"$answer"
  [ "$l" != none ] && [ "$l" -lt "$((main_right))" ]
}

timeout 200 wine "$app/quellix.exe" &
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
[ -n "$tray" ] || fail "no tray icon"
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove $((X + 13)) $((Y + 32)) click --repeat 2 --delay 80 1
main=$(wait_window '^Quellix$' 5) || fail "the main window did not open"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
main_right=$((X + WIDTH))

# 1. Hover looks, read back from screenshots. Page buttons: face 0xE6BA9D, soft bevel, so the
#    outline is the face darkened by 64 (0xA67A5D); commands: 0xE9E9E9 and 0xA9A9A9.
control_centre rect "Quellix|Popup Options"
wine_screenshot "$SESSION/up.png"
expect_pixel "$SESSION/up.png" "$l" "$t" 157,186,230 "Popup Options, mouse elsewhere, corner"
xdotool mousemove "$cx" "$cy"
sleep 0.5
wine_screenshot "$shots/button-hover-page.png"
expect_pixel "$shots/button-hover-page.png" "$l" "$t" 93,122,166 "Popup Options hovered, outline corner"
expect_pixel "$shots/button-hover-page.png" $((r - 1)) "$cy" 93,122,166 "Popup Options hovered, right outline"
expect_pixel "$shots/button-hover-page.png" $((l + 2)) $((t + 2)) 157,186,230 "Popup Options hovered, fill"
control_centre rect "Quellix|Exit"
xdotool mousemove "$cx" "$cy"
sleep 0.5
wine_screenshot "$shots/button-hover-command.png"
expect_pixel "$shots/button-hover-command.png" "$l" "$t" 169,169,169 "Exit hovered, outline corner"
expect_pixel "$shots/button-hover-command.png" $((r - 1)) $((b - 1)) 169,169,169 "Exit hovered, far outline corner"
expect_pixel "$shots/button-hover-command.png" $((l + 2)) $((t + 2)) 233,233,233 "Exit hovered, fill"
echo "hover: page and command buttons show their hover outline and fill"

# 2. Screen readers see push buttons with their captions.
spawn accessible "Quellix|Popup Options"
case "$answer" in
  "accessible role=43 "*"action=Press name=Popup Options") ;;
  *) fail "accessible object of Popup Options: '$answer'" ;;
esac
echo "accessibility: $answer"

# 3. A click, a press dragged off, Space on the focused button, and the accessible default action.
options_shown && fail "the options page shows before any click"
control_centre rect "Quellix|Popup Options"
xdotool mousemove "$cx" "$cy" click 1
wait_until 3 options_shown || fail "a click on Popup Options did not open the options page"
control_centre rect "Quellix|PopUp Caption"
xdotool mousemove "$cx" "$cy" mousedown 1 mousemove $((l - 30)) "$cy" mouseup 1
sleep 0.4
options_shown || fail "a press dragged off PopUp Caption ran its action"
xdotool key space
sleep 0.4
options_shown && fail "Space on the focused PopUp Caption did not show the caption page"
spawn press "Quellix|Popup Options"
[ "$answer" = "pressed 1" ] || fail "the accessible default action answered '$answer'"
wait_until 3 options_shown || fail "the accessible default action did not press Popup Options"
echo "click, Space and the default action each ran the action; a press dragged off did not"

# 3b. A press begun on the form and dragged across a page button and off again never pushes it:
#     still held, the button shows its face (0xE6BA9D), not the pressed fill.
control_centre rect "Quellix|About Popup"
xdotool mousemove "$cx" $((b + 25)) mousedown 1 mousemove "$cx" $((cy + 2)) sleep 0.2 mousemove "$cx" "$cy" \
  sleep 0.2 mousemove "$cx" $((b + 25)) sleep 0.4
wine_screenshot "$SESSION/dragged-across.png"
xdotool mouseup 1
expect_pixel "$SESSION/dragged-across.png" $((l + 2)) $((t + 2)) 157,186,230 "About Popup after a drag across it"
echo "drag across: a press begun on the form leaves the button it crossed up"

# 4. The GDI count stays flat over hovers, presses and repaints.
xdotool mousemove $((X + 5)) $((Y + 60))
sleep 0.3
spawn gdi
before=${answer#gdi }
[ "$before" != none ] && [ "$before" -gt 0 ] || fail "no GDI count from the program ($answer)"
control_centre rect "Quellix|Apply"
ax=$cx ay=$cy
control_centre rect "Quellix|Exit"
hovers=()
for _ in $(seq 600); do hovers+=(mousemove "$ax" "$ay" sleep 0.01 mousemove "$cx" "$cy" sleep 0.01); done
xdotool "${hovers[@]}" mousemove $((X + 5)) $((Y + 60))
spawn churn "Quellix|Apply|2000"
[ "$answer" = "churned 2000" ] || fail "churn answered '$answer'"
spawn churn "Quellix|PopUp Caption|1000"
sleep 0.3
spawn gdi
after=${answer#gdi }
[ "$after" = "$before" ] || fail "GDI objects went from $before to $after"
echo "gdi: $before live objects before and after 1200 hovers, 3000 presses and 3000 repaints"

control_centre rect "Quellix|Exit"
xdotool mousemove "$cx" "$cy" click 1
spawn quit
echo "PASS"
