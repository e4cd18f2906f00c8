#!/usr/bin/env bash
# The program in a folder named outside the ANSI code page, C:\Программы\程序\Quellix: it
# loads its block list from there and burns a listed pop-up, logs it and plays its own sound
# from there; the options page shows the whole sound path; "Auto Start With Windows" writes
# Run values naming the program in that folder; Apply stores the list and the sound path
# there; "Popup Help" starts the Windows folder's help viewer, not an hh.exe planted beside
# the program. The block list and the log are hard links to copies in a folder of their own,
# as Scoop keeps a user's files across updates: a store and "Clear Log File" keep the links.
# Usage: unicode_folder.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

# The last entry without its line end: a store writes it with one, so a changed file shows
# that Apply stored the list.
printf 'offers\r\ncasino' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
for v in 2 wavint; do wine reg add "$QUELLIX_KEY" /v "$v" /t REG_SZ /d 1 /f >/dev/null 2>&1; done
inst='C:\Программы\程序\Quellix'
dir=$(winepath -u "$inst" 2>/dev/null)
[ -n "$dir" ] || fail "no Unix path for $inst"
mkdir -p "$dir/wav"
mv "$app/quellix.exe" "$app/popcfg.apo" "$dir/"
cp "$build/wav/7.wav" "$dir/wav/"
# A planted help viewer: a second copy of the program, which would say so in a message box.
cp "$dir/quellix.exe" "$dir/hh.exe"
spawner_start "$app/quellix_spawner.exe" 200
app=$dir
# The kept copies, and the program folder's names for them (CreateHardLinkW).
persist=$(dirname "$dir")/persist
kept='C:\Программы\程序\persist'
mkdir -p "$persist"
mv "$dir/popcfg.apo" "$persist/"
: >"$persist/popuplog.txt"
for f in popcfg.apo popuplog.txt; do
  spawn hardlink "$kept\\$f|$inst\\$f"
  [ "$answer" = "linked 1" ] || fail "could not link $inst\\$f: $answer"
done
# Both names of a file, the same contents and two names.
still_linked() {  # FILE
  spawn links "$inst\\$1"
  [ "$answer" = "links 2" ] && cmp -s "$dir/$1" "$persist/$1"
}

# Wine writes text it traces with \NNNN escapes for characters outside ASCII.
traced_path() {
  python3 -c 'import sys; print("".join("\\\\" if c == "\\" else c if ord(c) < 128 else "\\%04x" % ord(c) for c in sys.argv[1]))' "$1"
}

spawn "open IEFrame cf0000 0 Cheap Offers - Microsoft Internet Explorer"
spawn "open IEFrame cf0000 0 My Bank - Microsoft Internet Explorer"
WINEDEBUG=-all,trace+winmm quellix_start 180 2>"$SESSION/sound.log"
for _ in $(seq 80); do grep -q "close .* Cheap Offers" "$SESSION/closes.log" 2>/dev/null && break; sleep 0.1; done
grep -q "close .* Cheap Offers" "$SESSION/closes.log" 2>/dev/null || fail "the listed pop-up was not burned: the list was not loaded"
grep -q "My Bank" "$SESSION/closes.log" && fail "an unlisted window was burned"
wait_until 5 '[ "$(stat -c %s "$dir/popuplog.txt" 2>/dev/null)" = 150 ]' || fail "no log record in $inst"
grep -qF "proc_PlaySound SoundName=L\"$(traced_path "$inst\\wav\\7.wav")\"" "$SESSION/sound.log" ||
  fail "the burn did not play the own sound: $(grep -m2 'SoundName' "$SESSION/sound.log")"
echo "list loaded, pop-up burned, logged and its sound played in $inst"

click() {  # FORM TEXT
  control_centre rect "$1|$2"
  xdotool mousemove "$cx" "$cy" click 1
  sleep 0.4
}
main_window_open
click Quellix "Popup Options"
spawn pathof "Quellix|Edit|0"
[ "$answer" = "path $inst\\wav\\7.wav" ] || fail "the sound path box shows '$answer'"
wine_screenshot "$shots/unicode-folder-options.png"

click Quellix "Auto Start With Windows"
want="\"$inst\\quellix.exe\""
for k in 'Software\Microsoft\Windows NT\CurrentVersion\Run' 'Software\Microsoft\Windows\CurrentVersion\Run'; do
  for _ in $(seq 20); do spawn regpath "HKCU|$k|Kelvane Quellix"; [ "$answer" = "path $want" ] && break; sleep 0.1; done
  [ "$answer" = "path $want" ] || fail "Run value under $k: '$answer', want '$want'"
done
echo "the Run values name $want"

click Quellix Apply
for _ in $(seq 20); do [ "$(tr -d '\r' <"$dir/popcfg.apo" | tr '\n' ,)" = "offers,casino," ] && break; sleep 0.1; done
[ "$(tr -d '\r' <"$dir/popcfg.apo" | tr '\n' ,)" = "offers,casino," ] || fail "Apply did not store the list: $(cat -v "$dir/popcfg.apo")"
spawn regpath "HKLM|Software\\Kelvane\\popup\\option|wavfile"
[ "$answer" = "path $inst\\wav\\7.wav" ] || fail "Apply stored the sound path as '$answer'"
still_linked popcfg.apo || fail "the store broke the list's link: kept copy $(cat -v "$persist/popcfg.apo"), $answer"
echo "Apply stored the list and the sound path; the kept copy of the list has it too"

still_linked popuplog.txt || fail "the log's link is broken before Clear Log File"
shown=$(xdotool search --onlyvisible --name '^Quellix$' 2>/dev/null)
click Quellix "Clear Log File"
box=""
for _ in $(seq 50); do
  box=$(xdotool search --onlyvisible --name '^Quellix$' 2>/dev/null | grep -vxF "$shown" | head -1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "Clear Log File asked nothing"
xdotool windowfocus "$box" key Return   # "Yes"
for _ in $(seq 30); do [ "$(stat -c %s "$dir/popuplog.txt" 2>/dev/null)" = 0 ] && break; sleep 0.1; done
[ "$(stat -c %s "$persist/popuplog.txt")" = 0 ] || fail "the kept copy of the log still holds $(stat -c %s "$persist/popuplog.txt") bytes"
still_linked popuplog.txt || fail "Clear Log File broke the log's link: $answer"
echo "Clear Log File emptied the log and its kept copy"

before=$(xdotool search --onlyvisible --name '^Quellix$' 2>/dev/null | wc -l)
click Quellix "Popup Help    "
sleep 3
after=$(xdotool search --onlyvisible --name '^Quellix$' 2>/dev/null | wc -l)
[ "$after" = "$before" ] || fail "Popup Help started the hh.exe planted in the program folder"
echo "Popup Help did not start the planted hh.exe"
spawn quit
echo "PASS"
