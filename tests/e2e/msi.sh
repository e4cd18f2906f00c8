#!/usr/bin/env bash
# The machine-wide package as an administrator deploys it, in a fresh Wine prefix: a silent
# install into C:\Program Files\Quellix (files, the all-users Start-menu shortcut, the entry
# under Apps with name, publisher, version and icon); the program started from there keeps
# the user's files in %LOCALAPPDATA%\Kelvane\Quellix, starting from the shipped list, and an
# entry added from the tray menu is stored there and burns; a silent upgrade to the next
# version replaces the program (one entry under Apps) and keeps the user's files, and the
# earlier version is refused over it; a silent removal takes the program, the shortcut and
# the entry away and leaves the user's files. Before the upgrade the running program is ended
# the way an installer's restart manager ends it, by the end of the session. Wine runs as
# root, so the program folder takes files here: the marker beside the program is what sends
# the user's files away from it.
# Usage: msi.sh TEMPLATE_DIR BUILD_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$(realpath -m "$2")
msi=$build/quellix.msi next=$build/msi-next/quellix.msi
for f in "$msi" "$next"; do
  [ -f "$f" ] || fail "$f is missing: the packages are built when wixl and chmcmd are installed (bash scripts/setup.sh package)"
done
version=$(sed -n 's/.*kVersion = "\([0-9][0-9.]*\)".*/\1/p' "$here/../../src/product/product.h")
began=$(date +%s.%N)
wine_session_start "$template" || exit 1
# Shortcuts made inside the prefix stay there: no menu entries for the desktop outside.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" XDG_DATA_HOME=$SESSION/xdg

since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f s", b - a }'; }
# Runs msiexec with the package given as a Windows path; status 0 or the scenario fails.
msiexec_ok() {
  local rc
  timeout 120 wine msiexec "$1" "$(winepath -w "$2" 2>/dev/null)" /qn
  rc=$?
  [ "$rc" = 0 ] || fail "msiexec $1 $2 /qn ended with status $rc"
}
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The entries under Apps named Quellix, one line each: key|DisplayVersion|Publisher.
apps_entries() {
  wine reg query "$uninstall_root" /s 2>/dev/null | tr -d '\r' | awk '
    function flush() { if (name == "Quellix") print key "|" ver "|" pub; name = ver = pub = "" }
    /^HKEY_/ { flush(); key = $0; next }
    { line = $0; sub(/^    [^ ].*    REG_[A-Z_]+    /, "", line) }
    /^    DisplayName    / { name = line } /^    DisplayVersion    / { ver = line }
    /^    Publisher    / { pub = line }
    END { flush() }'
}
# The icon Apps shows for an installed package: ProductIcon of the machine's product named Quellix.
product_icon() {
  wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY_/ { if (name == "Quellix" && icon != "") print icon; name = icon = "" }
    { line = $0; sub(/^    [^ ].*    REG_[A-Z_]+    /, "", line) }
    /^    ProductName    / { name = line } /^    ProductIcon    / { icon = line }
    END { if (name == "Quellix" && icon != "") print icon }'
}
start_installed() {
  timeout 120 wine "$inst\\quellix.exe" &
  quellix=$!
  for _ in $(seq 100); do tray_icon_shown && break; sleep 0.1; done
  tray_icon_shown || fail "the installed program shows no tray icon"
  sleep 1
  local X Y WINDOW SCREEN WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)")"
  icon_x=$((X + 13)) icon_y=$((Y + 32))
}
# Exit from the tray menu, and the process ends.
exit_installed() {
  tray_menu_open
  xdotool windowfocus "$menu" key Up Return
  for _ in $(seq 100); do kill -0 "$quellix" 2>/dev/null || return 0; sleep 0.1; done
  fail "the program did not end after Exit"
}
# What an installer's restart manager does to free the program's files (Wine's msiexec has
# none): every window of the program is asked whether the session may end and told that it
# ends. Every window agrees, the process ends and its icon goes.
end_session_installed() {
  spawn "endsession Quellix"
  local windows agreed
  windows=$(sed -n 's/^endsession windows=\([0-9]*\) .*/\1/p' <<<"$answer")
  agreed=$(sed -n 's/.* agreed=\([0-9]*\)$/\1/p' <<<"$answer")
  [ -n "$windows" ] && [ "$windows" -gt 0 ] && [ "$agreed" = "$windows" ] ||
    fail "asked to end the session: $answer"
  for _ in $(seq 100); do kill -0 "$quellix" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$quellix" 2>/dev/null && fail "the program did not end with the session"
  for _ in $(seq 30); do tray_icon_shown || return 0; sleep 0.1; done
  fail "the program's tray icon outlived it"
}

# --- Silent install ------------------------------------------------------------------------
folders=$(wine cmd /c 'echo %ProgramFiles%& echo %LOCALAPPDATA%& echo %ProgramData%& echo %APPDATA%' 2>/dev/null |
  tr -d '\r')
inst="$(sed -n 1p <<<"$folders")\\Quellix"
user_folder="$(sed -n 2p <<<"$folders")\\Kelvane\\Quellix"
user_dir=$(unix_path "$user_folder")
menu_programs='Microsoft\Windows\Start Menu\Programs\Quellix.lnk'
shortcut=$(unix_path "$(sed -n 3p <<<"$folders")\\$menu_programs")
# Wine's installer puts ProgramMenuFolder in the installing user's Start menu whatever ALLUSERS
# says (a known gap of its msi.dll); Windows puts it in the all-users one.
wine_shortcut=$(unix_path "$(sed -n 4p <<<"$folders")\\$menu_programs")
dir=$(unix_path "$inst")
[ -n "$dir" ] && [ -n "$user_dir" ] && [ -n "$shortcut" ] && [ -n "$wine_shortcut" ] ||
  fail "cannot find the folders: $folders"
[ "$inst" = 'C:\Program Files\Quellix' ] || fail "the program folder would be $inst"
t=$(date +%s.%N)
msiexec_ok /i "$msi"
echo "installed $version silently in $(since "$t")"
for f in quellix.exe Quellix.chm wav/7.wav popcfg.apo; do
  cmp -s "$dir/$f" "$build/$f" || fail "not installed as built: $f"
done
[ -f "$dir/machine-wide.txt" ] || fail "no machine-wide marker beside the program"
[ -f "$shortcut" ] || shortcut=$wine_shortcut
[ -f "$shortcut" ] || fail "no Start-menu shortcut for all users at $shortcut"
strings -el "$shortcut" | grep -qi 'Program Files\\Quellix\\quellix.exe' ||
  strings "$shortcut" | grep -qi 'Program Files\\Quellix\\quellix.exe' || fail "the shortcut does not start quellix.exe"
entries=$(apps_entries)
[ "$(wc -l <<<"$entries")" = 1 ] && [ -n "$entries" ] || fail "entries under Apps: '$entries'"
IFS='|' read -r key shown_version publisher <<<"$entries"
[ "$shown_version" = "$version" ] || fail "Apps shows version '$shown_version'"
[ "$publisher" = Kelvane ] || fail "Apps shows publisher '$publisher'"
icon=$(product_icon)
cmp -s "$(unix_path "$icon")" "$here/../../res/icons/app.ico" || fail "the entry's icon '$icon' is not the product's"
# Every build of one version is one product: its code is named from the upgrade code and the
# version, so a package rebuilt never installs beside the one installed.
code=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), "Quellix " + sys.argv[2])).upper())' \
  05D1BBDD-7486-4D40-8AB9-1BD76AF5823D "$version")
[ "${key##*\\}" = "{$code}" ] || fail "the product code is ${key##*\\}, not the one of version $version, {$code}"
msiexec_ok /i "$msi"
[ "$(apps_entries)" = "$entries" ] || fail "installing $version again gave the entries '$(apps_entries)'"
echo "$inst holds the program, help, sound, list and marker; shortcut $(winepath -w "$shortcut" 2>/dev/null);"
echo "  Apps: Quellix $shown_version by $publisher with the product's icon"

# --- The user's files go to the local folder, starting from the shipped list --------------
user_key='HKCU\Software\Kelvane\popup\option'
for v in 0 7; do wine reg add "$user_key" /v "$v" /t REG_SZ /d 1 /f >/dev/null 2>&1; done
mkdir -p "$SESSION/tools"
cp "$build/quellix_spawner.exe" "$SESSION/tools/"
spawner_start "$SESSION/tools/quellix_spawner.exe" 200
[ -e "$user_dir" ] && fail "the user's folder exists before the first start"
# Open before the start: the tray menu lists the browser windows open when it was loaded.
spawn "open IEFrame cf0000 0 Garden news - Microsoft Internet Explorer"
t=$(date +%s.%N)
start_installed
echo "started from the program folder in $(since "$t")"
cmp -s "$user_dir/popcfg.apo" "$build/popcfg.apo" || fail "the shipped list was not copied to $user_dir"
tray_menu_open
xdotool windowfocus "$menu" key Down Down Right   # Add open Window, opened on its first window
sleep 0.3
xdotool key Return
for _ in $(seq 30); do grep -q 'Garden news' "$user_dir/popcfg.apo" 2>/dev/null && break; sleep 0.1; done
grep -q 'Garden news' "$user_dir/popcfg.apo" || fail "the added entry is not in the user's list: $(cat -v "$user_dir/popcfg.apo")"
burned_soon "Garden news" || fail "the added entry did not burn"
wait_until 5 '[ "$(stat -c %s "$user_dir/popuplog.txt" 2>/dev/null)" = 150 ]' || fail "no log record in $user_dir"
wait_until 5 '[ -f "$user_dir/popcfg.hits" ]' || fail "no burn figures in $user_dir"
for f in popuplog.txt popcfg.hits; do [ -e "$dir/$f" ] && fail "$f was written in the program folder"; done
cmp -s "$dir/popcfg.apo" "$build/popcfg.apo" || fail "the program folder's list changed"
list_sum=$(md5sum <"$user_dir/popcfg.apo") log_sum=$(md5sum <"$user_dir/popuplog.txt")
echo "the user's list, log and figures are in $user_folder; the added entry burned"
end_session_installed
[ "$(md5sum <"$user_dir/popcfg.apo")" = "$list_sum" ] && [ "$(md5sum <"$user_dir/popuplog.txt")" = "$log_sum" ] ||
  fail "the end of the session changed the user's list or log"
echo "ended as an installer's restart manager ends it: process and icon gone, the user's files as they were"

# --- Silent upgrade to the next version; the earlier one is refused over it ---------------
t=$(date +%s.%N)
msiexec_ok /i "$next"
echo "upgraded silently in $(since "$t")"
entries=$(apps_entries)
[ "$(wc -l <<<"$entries")" = 1 ] || fail "after the upgrade, entries under Apps: '$entries'"
IFS='|' read -r next_key next_version _ _ <<<"$entries"
[ "$next_key" != "$key" ] && [ "$next_version" != "$version" ] || fail "the upgrade left '$entries'"
[ -f "$dir/quellix.exe" ] && [ -f "$dir/machine-wide.txt" ] || fail "files missing after the upgrade"
[ "$(md5sum <"$user_dir/popcfg.apo")" = "$list_sum" ] || fail "the upgrade changed the user's list"
[ "$(md5sum <"$user_dir/popuplog.txt")" = "$log_sum" ] || fail "the upgrade changed the user's log"
timeout 120 wine msiexec /i "$(winepath -w "$msi")" /qn && fail "the earlier version installed over the later one"
[ "$(apps_entries | cut -d'|' -f2)" = "$next_version" ] || fail "the refused downgrade changed Apps: $(apps_entries)"
start_installed
spawn "open IEFrame cf0000 0 Garden news again - Microsoft Internet Explorer"
burned_soon "Garden news again" || fail "the user's entry did not burn after the upgrade"
exit_installed
log_sum=$(md5sum <"$user_dir/popuplog.txt")
echo "upgraded to $next_version: one entry under Apps, the user's files kept and used; $version refused over it"

# --- Silent removal leaves the user's files --------------------------------------------------
t=$(date +%s.%N)
msiexec_ok /x "$next"
echo "removed silently in $(since "$t")"
[ -e "$dir" ] && fail "left after removal: $(ls -AR "$dir")"
[ -e "$shortcut" ] && fail "left after removal: the shortcut"
[ -z "$(apps_entries)" ] || fail "left after removal: $(apps_entries)"
[ "$(md5sum <"$user_dir/popcfg.apo")" = "$list_sum" ] || fail "the removal did not keep the user's list"
[ "$(md5sum <"$user_dir/popuplog.txt")" = "$log_sum" ] || fail "the removal did not keep the user's log"
[ -f "$user_dir/popcfg.hits" ] || fail "the removal did not keep the user's figures"
echo "removed: program folder, shortcut and entry gone; the user's list, log and figures kept"
spawn quit
echo "whole scenario: $(since "$began")"
echo "PASS"
