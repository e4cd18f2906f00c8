#!/usr/bin/env bash
# Started at logon before the notification area is ready: the shell refuses the icon, the
# program burns all the same, and its icon appears by itself once the shell takes icons
# (with no broadcast from it); a double click on the icon then opens the main window.
# Usage: tray_late.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'offers\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
spawner_start "$app/quellix_spawner.exe" 100

# The desktop's own notification area is there first; the refusing one is found before it.
spawn "open Notepad cf0000 0 Notes - Notepad"
spawn shell-refuse
[ "$answer" = "refusing 1" ] || fail "the refusing notification area is not the one found ($answer)"

timeout 90 wine "$app/quellix.exe" &
quellix=$!
sleep 3
tray_icon_shown && fail "an icon shows although the notification area refused it"
spawn "open IEFrame cf0000 0 Cheap Offers - Microsoft Internet Explorer"
burned_soon "IEFrame Cheap Offers" || fail "no burning while the icon waits for the shell"
echo "burned while the notification area was not ready"

started=$(now_ms)
spawn "shell-ready 0"
wait_until 6 tray_icon_shown || fail "the icon did not appear once the shell took icons"
echo "icon appeared $(($(now_ms) - started)) ms after the shell became ready"
wine_screenshot "$shots/tray-late.png"

tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$tray")"
icon_x=$((X + 13)) icon_y=$((Y + 32))
main_window_open
echo "the icon answers: the main window opened"
echo PASS
