#!/usr/bin/env bash
# The installer as a user meets it, in a fresh Wine prefix: a silent per-user install with
# "Start Quellix with Windows" (files, shortcut, Uninstall key, Run values); the installed
# program burns with the user's own settings and requests its own sound; an upgrade over
# the running program ends it, keeps the changed block list and the log, and, being silent,
# starts the program again; an upgrade with start-up unticked (/AUTOSTART=0) removes both Run
# values and the options page's box; a silent uninstall ends a running copy and removes
# files, shortcut, Run values and Uninstall key but keeps the block list, log and settings;
# /REMOVEDATA=1 removes those too.
# Usage: installer.sh TEMPLATE_DIR BUILD_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$(realpath -m "$2")
setup=$build/quellix-setup.exe
[ -f "$setup" ] || fail "$setup is missing: the installer is built when makensis and chmcmd are installed (bash scripts/setup.sh package)"
wine_session_start "$template" || exit 1
# Shortcuts made inside the prefix stay there: no menu entries for the desktop outside.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" XDG_DATA_HOME=$SESSION/xdg

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellix'
run_keys=('HKCU\Software\Microsoft\Windows NT\CurrentVersion\Run' 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run')
user_key='HKCU\Software\Kelvane\popup\option'
reg_set() { wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
run_setup() {
  local rc
  timeout 60 wine "$setup" "$@"
  rc=$?
  [ "$rc" = 0 ] || fail "setup $* ended with status $rc"
}
# Whether the copy the uninstaller hands over to (Un.exe in a ~nsu*.tmp folder) still runs in
# this session's prefix.
uninstaller_copy_runs() {
  local p
  for p in /proc/[0-9]*; do
    tr '\0' '\n' <"$p/cmdline" 2>/dev/null | grep -qF '\~nsu' || continue
    tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
# The uninstaller hands over to a copy of itself and returns at once: wait for the copy to
# have done its work and ended (it removes the folder last, after the Uninstall key).
run_uninstall() {
  timeout 30 wine "$inst/uninstall.exe" "$@" || fail "uninstall.exe $* failed"
  for _ in $(seq 150); do
    ! reg_get "$uninstall_key" DisplayName >/dev/null && [ ! -e "$dir/quellix.exe" ] &&
      ! uninstaller_copy_runs && return 0
    sleep 0.2
  done
  fail "the uninstaller did not finish in 30 s"
}
# Starts the installed program, with its sound requests traced to $SESSION/sound.log.
start_installed() {
  WINEDEBUG=-all,trace+winmm timeout 120 wine "$dir/quellix.exe" 2>"$SESSION/sound.log" &
  quellix=$!
  for _ in $(seq 60); do tray_icon_shown && return 0; sleep 0.1; done
  fail "the installed program shows no tray icon"
}
wait_ended() {
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# Whether a copy of the program runs, started by whoever: its hidden main window exists.
running() {
  spawn state Quellix
  [ "$answer" != "state none" ]
}
# Waits up to 10 s for a copy of the program to run (status 0) or for none to run (1 as $1).
wait_running() {
  for _ in $(seq 100); do
    if running; then [ "${1:-0}" = 0 ] && return 0; else [ "${1:-0}" = 1 ] && return 0; fi
    sleep 0.1
  done
  return 1
}

# --- Silent install, with start-up chosen ---------------------------------------------------
folders=$(wine cmd /c 'echo %LOCALAPPDATA%& echo %APPDATA%' 2>/dev/null | tr -d '\r')
inst="$(sed -n 1p <<<"$folders")\\Programs\\Quellix"
dir=$(unix_path "$inst")
shortcut=$(unix_path "$(sed -n 2p <<<"$folders")\\Microsoft\\Windows\\Start Menu\\Programs\\Quellix.lnk")
[ -n "$dir" ] && [ -n "$shortcut" ] || fail "cannot find the user's folders: $folders"
run_setup /S /AUTOSTART=1
for f in quellix.exe Quellix.chm wav/7.wav popcfg.apo uninstall.exe; do
  [ -f "$dir/$f" ] || fail "not installed: $f"
done
cmp -s "$dir/quellix.exe" "$build/quellix.exe" || fail "the installed quellix.exe is not the one built"
cmp -s "$dir/wav/7.wav" "$build/wav/7.wav" || fail "the installed sound is not the one built"
[ -f "$shortcut" ] || fail "no Start-menu shortcut at $shortcut"
strings -el "$shortcut" | grep -qi 'Programs\\Quellix\\quellix.exe' ||
  strings "$shortcut" | grep -qi 'Programs\\Quellix\\quellix.exe' || fail "the shortcut does not start quellix.exe"
[ "$(reg_get "$uninstall_key" DisplayName)" = Quellix ] || fail "Uninstall key: DisplayName"
[ "$(reg_get "$uninstall_key" DisplayVersion)" = 1.00 ] || fail "Uninstall key: DisplayVersion"
[ "$(reg_get "$uninstall_key" Publisher)" = Kelvane ] || fail "Uninstall key: Publisher"
[ "$(reg_get "$uninstall_key" DisplayIcon)" = "$inst\\quellix.exe,0" ] || fail "Uninstall key: DisplayIcon"
[ "$(reg_get "$uninstall_key" UninstallString)" = "\"$inst\\uninstall.exe\"" ] ||
  fail "Uninstall key: UninstallString is '$(reg_get "$uninstall_key" UninstallString)'"
size=$(reg_get "$uninstall_key" EstimatedSize)
[ -n "$size" ] && [ $((size)) -gt 100 ] || fail "Uninstall key: EstimatedSize is '$size'"
for k in "${run_keys[@]}"; do
  [ "$(reg_get "$k" "Kelvane Quellix")" = "\"$inst\\quellix.exe\"" ] || fail "Run value under $k: '$(reg_get "$k" "Kelvane Quellix")'"
done
[ "$(reg_get "$user_key" 4)" = 1 ] || fail "the options page's auto-start box is not set"
echo "installed into $inst: files, shortcut, Uninstall key ($((size)) KB), Run values"

# --- The installed program burns with the user's own settings and its own sound ------------
for v in 0 1 2 7 wavint; do reg_set "$user_key" "$v" 1; done
reg_set "$user_key" wavext 0
reg_set "$user_key" cnt 5
mkdir -p "$SESSION/tools"
cp "$build/quellix_spawner.exe" "$SESSION/tools/"
spawner_start "$SESSION/tools/quellix_spawner.exe" 200
start_installed
spawn "open IEFrame cf0000 0 Cheap Offers - Microsoft Internet Explorer"
spawn "open IEFrame cf0000 0 Kelvane news - Microsoft Internet Explorer"
for _ in $(seq 80); do grep -q "close .* Cheap Offers" "$SESSION/closes.log" 2>/dev/null && break; sleep 0.1; done
grep -q "close .* Cheap Offers" "$SESSION/closes.log" 2>/dev/null || fail "the installed program burned nothing"
grep -q "Kelvane news" "$SESSION/closes.log" && fail "an unlisted window was burned"
# The count and the log record follow the close request.
wait_until 5 '[ "$(reg_get "$user_key" cnt)" = 6 ]' ||
  fail "the user's count is '$(reg_get "$user_key" cnt)', expected 6"
wait_until 5 '[ "$(stat -c %s "$dir/popuplog.txt" 2>/dev/null)" = 150 ]' || fail "no log record in the program folder"
grep -qF 'proc_PlaySound SoundName=L"'"$(sed 's/\\/\\\\/g' <<<"$inst")"'\\wav\\7.wav"' "$SESSION/sound.log" ||
  fail "the burn did not request the own sound: $(grep -m3 PlaySound "$SESSION/sound.log")"
grep -q 'proc_PlaySound wFormatTag=0001' "$SESSION/sound.log" || fail "the sound was not read as PCM"
grep -q 'proc_PlaySound Chunk Found ckid=data' "$SESSION/sound.log" || fail "the sound has no data chunk"
echo "burned from the installed folder: count 6 in the user's key, log written, wav\\7.wav played as PCM"

# --- Upgrade over the running program, with a changed block list ---------------------------
printf 'my own entry\r\nCheap Offers\r\n' >"$dir/popcfg.apo"
list_sum=$(md5sum <"$dir/popcfg.apo") log_sum=$(md5sum <"$dir/popuplog.txt")
run_setup /S
wait_ended "$quellix" || fail "the upgrade did not end the running program"
[ "$(md5sum <"$dir/popcfg.apo")" = "$list_sum" ] || fail "the upgrade changed the block list"
[ "$(md5sum <"$dir/popuplog.txt")" = "$log_sum" ] || fail "the upgrade changed the log"
for k in "${run_keys[@]}"; do
  [ "$(reg_get "$k" "Kelvane Quellix")" = "\"$inst\\quellix.exe\"" ] || fail "the upgrade dropped the Run value under $k"
done
[ -f "$dir/quellix.exe" ] && [ -f "$dir/uninstall.exe" ] || fail "files missing after the upgrade"
# The silent upgrade ended the program, so it starts it again: burning goes on.
wait_running || fail "the silent upgrade did not start the program it ended"
for _ in $(seq 60); do tray_icon_shown && break; sleep 0.1; done
tray_icon_shown || fail "the program started again shows no tray icon"
spawn "open IEFrame cf0000 0 Cheap Offers again - Microsoft Internet Explorer"
for _ in $(seq 80); do grep -q "close .* Cheap Offers again" "$SESSION/closes.log" 2>/dev/null && break; sleep 0.1; done
grep -q "close .* Cheap Offers again" "$SESSION/closes.log" || fail "nothing burned after the silent upgrade"
wait_until 5 '[ "$(reg_get "$user_key" cnt)" = 7 ]' ||
  fail "the count after the upgrade is '$(reg_get "$user_key" cnt)', expected 7"
wait_until 5 '[ "$(stat -c %s "$dir/popuplog.txt" 2>/dev/null)" = 300 ]' || fail "the burn after the upgrade was not logged"
log_sum=$(md5sum <"$dir/popuplog.txt")
echo "upgraded over the running program: it ended and runs again, block list and log kept, start-up kept"

# --- Upgrade with start-up unticked: both Run values and the options page's box go ---------
run_setup /S /AUTOSTART=0
for k in "${run_keys[@]}"; do
  reg_get "$k" "Kelvane Quellix" >/dev/null && fail "start-up unticked, the Run value under $k stayed: '$(reg_get "$k" "Kelvane Quellix")'"
done
[ "$(reg_get "$user_key" 4)" = 0 ] || fail "start-up unticked, the options page's box is '$(reg_get "$user_key" 4)'"
wait_running || fail "the silent upgrade did not start the program it ended"
echo "upgraded with start-up unticked: Run values removed, the box cleared, the program runs again"

# --- Silent uninstall of a running program: program gone, the user's files kept ------------
running || fail "no program runs before the uninstall"
run_uninstall /S
wait_running 1 || fail "the uninstaller did not end the running program"
for f in quellix.exe Quellix.chm wav/7.wav uninstall.exe; do
  [ -e "$dir/$f" ] && fail "left after uninstall: $f"
done
[ -e "$dir/wav" ] && fail "left after uninstall: the wav folder"
[ -e "$shortcut" ] && fail "left after uninstall: the shortcut"
for k in "${run_keys[@]}"; do reg_get "$k" "Kelvane Quellix" >/dev/null && fail "left after uninstall: Run value under $k"; done
reg_get "$uninstall_key" DisplayName >/dev/null && fail "left after uninstall: the Uninstall key"
[ "$(md5sum <"$dir/popcfg.apo")" = "$list_sum" ] || fail "the uninstaller did not keep the block list"
[ "$(md5sum <"$dir/popuplog.txt")" = "$log_sum" ] || fail "the uninstaller did not keep the log"
[ "$(reg_get "$user_key" cnt)" = 7 ] || fail "the uninstaller did not keep the user's settings"
echo "uninstalled: program, shortcut, Run values and Uninstall key gone; block list, log, settings kept"

# --- Reinstall without start-up, then remove everything -------------------------------------
run_setup /S
for k in "${run_keys[@]}"; do reg_get "$k" "Kelvane Quellix" >/dev/null && fail "Run value written though not chosen"; done
sleep 1
running && fail "setup started the program though none was running"
[ "$(md5sum <"$dir/popcfg.apo")" = "$list_sum" ] || fail "reinstalling replaced the kept block list"
run_uninstall /S /REMOVEDATA=1
[ -e "$dir" ] && fail "the program folder is left after removing everything: $(ls -A "$dir")"
reg_get "$user_key" cnt >/dev/null && fail "the user's settings are left after removing everything"
echo "reinstalled without start-up (no Run values); /REMOVEDATA=1 removed block list, log and settings"
spawn quit
echo "PASS"
