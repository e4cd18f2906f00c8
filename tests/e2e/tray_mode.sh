#!/usr/bin/env bash
# The real program in tray mode: starts hidden with its icon in the notification area,
# burns matching browser frames within two ticks, counts and logs them, refuses a second
# copy, and leaves no icon and no process after "Exit".
# Usage: tray_mode.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$2 shots=$3
wine_session_start "$template" || exit 1
mkdir -p "$shots"
fail() { echo "FAIL: $*"; exit 1; }

app="$SESSION/app"
mkdir -p "$app"
cp "$build/quellix.exe" "$build/quellix_spawner.exe" "$app/"
printf 'offers\r\ncasino\r\n' >"$app/popcfg.apo"
key='HKLM\Software\Kelvane\popup\option'
for v in 0 1 7; do wine reg add "$key" /v "$v" /t REG_SZ /d 1 /f >/dev/null 2>&1; done

# Pop-ups: two blocked browser frames, and two windows that must stay.
mkfifo "$SESSION/spawn.in"
timeout 120 wine "$app/quellix_spawner.exe" --log "$(winepath -w "$SESSION/closes.log" 2>/dev/null)" \
  <"$SESSION/spawn.in" >"$SESSION/spawn.out" 2>/dev/null &
exec 7>"$SESSION/spawn.in"
{
  echo "open IEFrame cf0000 0 Cheap Offers - Microsoft Internet Explorer"
  echo "open MozillaWindowClass cf0000 0 Online casino - Mozilla"
  echo "open Notepad cf0000 0 offers - Notepad"
  echo "open IEFrame cf0000 0 My Bank - Microsoft Internet Explorer"
} >&7

timeout 90 wine "$app/quellix.exe" &
first=$!
sleep 8
grep -q "close .* IEFrame Cheap Offers" "$SESSION/closes.log" 2>/dev/null || fail "IE pop-up not burned: $(cat "$SESSION/closes.log" 2>/dev/null)"
grep -q "close .* MozillaWindowClass Online casino" "$SESSION/closes.log" || fail "Mozilla pop-up not burned"
grep -q "Notepad" "$SESSION/closes.log" && fail "a non-browser window was closed"
grep -q "My Bank" "$SESSION/closes.log" && fail "an unblocked frame was closed"
cnt=$(wine reg query "$key" /v cnt 2>/dev/null | tr -d '\r' | awk '/cnt/ {print $3}')
[ "$cnt" = 2 ] || fail "cnt is '$cnt', expected 2"
size=$(stat -c %s "$app/popuplog.txt" 2>/dev/null || echo 0)
[ "$size" = 300 ] || fail "log is $size bytes, expected 300"
echo "burned: cnt=$cnt, log=$size bytes"

xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null || fail "no tray icon"
wine_screenshot "$shots/tray.png"

# A second copy says so and ends.
timeout 20 wine "$app/quellix.exe" &
second=$!
sleep 3
box=$(xdotool search --onlyvisible --name '^Quellix$' 2>/dev/null | head -1)
[ -n "$box" ] || fail "no message from the second copy"
wine_screenshot "$shots/second-copy.png"
xdotool windowfocus "$box" key Return 2>/dev/null
wait "$second" || true
echo "second copy refused"
# Double-click on the icon opens the main window; its "Exit" ends the program.
tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove $((X + 13)) $((Y + 32)) click --repeat 2 --delay 80 1
sleep 2
main=$(xdotool search --onlyvisible --name '^Quellix$' 2>/dev/null | head -1)
[ -n "$main" ] || fail "double-click did not open the main window"
wine_screenshot "$shots/main-window.png"
eval "$(xdotool getwindowgeometry --shell "$main")"
# "Exit" sits at left 6825, top 5235 twips in the client area (455, 349 pixels at 96 dpi),
# below the caption bar Wine draws itself.
xdotool mousemove $((X + 4 + 455 + 40)) $((Y + 22 + 349 + 14)) click 1
for _ in $(seq 50); do kill -0 "$first" 2>/dev/null || break; sleep 0.1; done
kill -0 "$first" 2>/dev/null && fail "still running after Exit"
echo "main window opened and Exit ended the program"
echo quit >&7
echo "PASS"
