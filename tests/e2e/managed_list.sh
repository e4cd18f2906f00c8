#!/usr/bin/env bash
# The managed block list in the real program. An organisation names a list file in another
# folder by the machine policy BlockListPath: its entry burns a pop-up like the user's own
# (counted and logged), a copy of it is kept beside the user's list as popcfg.managed, and
# the information window tells where the list comes from. With the file deleted and the
# program started again, the kept copy still burns.
# Usage: managed_list.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'casino\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
mkdir -p "$SESSION/corp"
printf 'corp offers\r\n' >"$SESSION/corp/corp.apo"
managed=$(winepath -w "$SESSION/corp/corp.apo" 2>/dev/null)
wine reg add 'HKLM\Software\Policies\Kelvane\Quellix' /v BlockListPath /t REG_SZ /d "$managed" /f >/dev/null 2>&1 ||
  fail "the policy could not be set"

reg_value() { reg_get "$QUELLIX_KEY" "$1"; }
# The information window, from the main window's About Popup.
info_window_open() {
  spawn click "Quellix|About Popup"
  sleep 1
}
# Fails with MESSAGE unless a line of the information window reads TEXT.
info_shows() {  # TEXT MESSAGE
  spawn "rect Quellix|$1"
  [ "${answer#rect }" != none ] || fail "$2 ($answer)"
}
# The newest window of that name is the information window; a capture of the whole display
# shows it black, one of the window itself shows what it draws.
info_window_shot() {  # FILE in the screenshot folder
  local info
  info=$(xdotool search --onlyvisible --name '^Quellix$' | tail -1)
  [ -n "$info" ] && wine_window_shot "$info" "$shots/$1"
}

spawner_start "$app/quellix_spawner.exe" 100

# 1. The managed entry burns, counted and logged as the user's own would be.
quellix_start 60
spawn "open IEFrame cf0000 0 Corp Offers Today - Microsoft Internet Explorer"
burned_soon "Corp Offers Today" || fail "the managed entry did not burn its pop-up"
spawn "open IEFrame cf0000 0 Casino Night - Microsoft Internet Explorer"
burned_soon "Casino Night" || fail "the user's own entry did not burn beside the managed one"
[ "$(reg_value cnt)" = 2 ] || fail "cnt is '$(reg_value cnt)'"
record=$(head -c 150 "$app/popuplog.txt" | tr '\0' ' ')
[ "$(field "${record:50:100}")" = "Corp Offers Today" ] || fail "logged title '${record:50:100}'"
[ "$(tr -d '\r' <"$app/popcfg.managed")" = "corp offers" ] || fail "popcfg.managed holds '$(cat "$app/popcfg.managed")'"
[ "$(tr -d '\r' <"$app/popcfg.apo")" = "casino" ] || fail "popcfg.apo was changed: '$(cat "$app/popcfg.apo")'"
echo "managed entry: burned, counted and logged; the copy kept in popcfg.managed"

# 2. The block list page shows it after the user's entry; the information window tells its state.
main_window_open
spawn "countof Quellix|SysListView32|0"
[ "$answer" = "count 2" ] || fail "the block list shows '$answer'"
wine_screenshot "$shots/managed-list-page.png"
info_window_open
info_shows "Managed block list: $managed" "the information window does not name the managed list"
info_shows "Last error: none" "the information window shows an error"
info_window_shot managed-list-info.png
echo "information window: names the managed list, no error"

# 3. The file gone (a laptop away from the share): after a restart the kept copy burns.
stop_quellix
rm "$SESSION/corp/corp.apo"
quellix_start 40
spawn "open IEFrame cf0000 0 Corp Offers Again - Microsoft Internet Explorer"
burned_soon "Corp Offers Again" || fail "the kept copy did not burn after the file was deleted"
[ "$(tr -d '\r' <"$app/popcfg.managed")" = "corp offers" ] || fail "popcfg.managed was changed"
main_window_open
info_window_open
info_shows "Entries: 1 (from the kept copy)    Last read: not yet" \
  "the information window does not say the kept copy burns"
info_window_shot managed-list-info-kept.png
echo "file deleted: the kept copy burns after a restart, and the information window says so"

stop_quellix
spawn quit
echo "PASS"
