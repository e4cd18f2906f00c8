#!/usr/bin/env bash
# Soak: quellix.exe in the tray for a fixed number of ticks while pop-ups keep opening beside
# windows that must stay. Every pop-up must be burned, nothing else closed, "cnt" must equal
# the records in the log, and the process's handles, GDI objects and memory at the end must
# stay within a small bound of the figures after the first ticks.
# Usage: soak.sh TEMPLATE_DIR BUILD_DIR [TICKS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$2 ticks=${3:-200}
wine_session_start "$template" || exit 1

printf 'Soak offer\r\ncasino\r\nYou have won\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
key=$QUELLIX_KEY

spawner_start "$app/quellix_spawner.exe" $((ticks * 3 + 300))
figure() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

timeout $((ticks * 3 + 240)) wine "$app/quellix.exe" &
watchdog=$!
# Figures as Windows sees them (from the spawner) and the resident memory of the Linux
# process that runs quellix.exe. Leaves them in $figs (not in a subshell: spawn counts the
# answers).
figures() {
  spawn stats
  local unix_pid rss
  unix_pid=$(pgrep -P "$watchdog" | head -1)
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/${unix_pid:-0}/status" 2>/dev/null)
  figs="${answer#stats } rss_kb=${rss:-0}"
}
sleep 15   # the first ticks: start-up, first walks, caches filled
figures
first=$figs
case $first in none*) fail "Quellix is not running" ;; esac

popups=0 keepers=()
start=$(date +%s)
for i in $(seq "$ticks"); do
  tick_start=$(date +%s%N)
  if [ $((i % 2)) = 0 ]; then
    spawn "open IEFrame cf0000 0 Soak offer $i - Microsoft Internet Explorer"
  else
    spawn "open MozillaWindowClass cf0000 0 You have WON $i - Mozilla Firefox"
  fi
  popups=$((popups + 1))
  spawn "open IEFrame cf0000 0 Weather report $i - Microsoft Internet Explorer"
  keepers+=("${answer#ok }")
  spawn "open Notepad cf0000 0 casino notes $i - Notepad"
  keepers+=("${answer#ok }")
  # Windows that stay are closed by their owner after a while, as a user would.
  while [ "${#keepers[@]}" -gt 24 ]; do
    spawn "destroy ${keepers[0]}"
    keepers=("${keepers[@]:1}")
  done
  left=$(( 3000 - ($(date +%s%N) - tick_start) / 1000000 ))
  [ "$left" -gt 0 ] && sleep "$(printf '%d.%03d' $((left / 1000)) $((left % 1000)))"
done
sleep 7   # two more ticks for the last pop-ups
figures
last=$figs
elapsed=$(( $(date +%s) - start ))

burned=$(grep -c -E ' (Soak offer|You have WON) [0-9]+ - ' "$SESSION/closes.log" 2>/dev/null || true)
wrong=$(grep -c -E 'Weather report|Notepad' "$SESSION/closes.log" 2>/dev/null || true)
cnt=$(wine reg query "$key" /v cnt 2>/dev/null | tr -d '\r' | awk '/cnt/ {print $3}')
records=$(( $(stat -c %s "$app/popuplog.txt" 2>/dev/null || echo 0) / 150 ))
echo "ticks: $ticks over ${elapsed} s; pop-ups opened: $popups, burned: $burned; others closed: ${wrong:-0}"
echo "cnt: $cnt, log records: $records"
echo "figures after the first ticks -> at the end (Wine reports no GDI object count: gdi stays 0):"
for f in handles gdi windows working_set_kb peak_working_set_kb rss_kb; do
  printf '  %-15s %8s -> %8s\n' "$f" "$(figure "$first" $f)" "$(figure "$last" $f)"
done

[ "${burned:-0}" = "$popups" ] || fail "$((popups - burned)) pop-ups were not burned"
[ "${wrong:-0}" = 0 ] || fail "windows that should stay were closed"
[ "$cnt" = "$records" ] || fail "cnt $cnt differs from the $records log records"
[ "$cnt" = "$popups" ] || fail "cnt $cnt differs from the $popups pop-ups"
grow() { echo $(( $(figure "$last" "$1") - $(figure "$first" "$1") )); }
[ "$(grow handles)" -le 16 ] || fail "handles grew by $(grow handles)"
[ "$(grow gdi)" -le 16 ] || fail "GDI objects grew by $(grow gdi)"
[ "$(grow windows)" -le 0 ] || fail "the program's windows grew by $(grow windows)"
[ "$(grow working_set_kb)" -le 4096 ] || fail "the working set grew by $(grow working_set_kb) KB"
[ "$(grow rss_kb)" -le 4096 ] || fail "resident memory grew by $(grow rss_kb) KB"
echo "PASS"
