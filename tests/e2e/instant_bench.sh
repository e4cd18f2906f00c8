#!/usr/bin/env bash
# Burning at once against the timed check, under Wine. Latency: POPUPS listed pop-ups (100
# unless told) opened one after another by the spawner; for each, the time from just before
# it was made to the close request it received, with "instant" off and on (median and 95th
# percentile). Renames: a window renamed to a listed title, timed from the rename to its
# close request as the script sees it (about 50 ms granularity). Cost: the CPU time of the
# quellix.exe process (and of the Wine server beside it) over CPU_SECONDS (60 unless told)
# while one unlisted window renames itself 20 times a second, with "instant" off and on.
# Wine tells another process of windows made, not of renames, so the renames may not reach
# the program at all: the cost is also taken while an unlisted window is made anew (and the
# one before destroyed) about 20 times a second, whose events do arrive.
# The latency includes the spawner's own showing of the window: the close request is
# taken from its queue only after that. How many requests were queued already when
# CreateWindowExA returned is told beside the figures. Rules: dialog boxes (#32770) of
# nagware.exe (a copy of the spawner) that a rule names, opened one after another with
# "instant" on, timed from just before each was made to its close request.
# Usage: instant_bench.sh TEMPLATE_DIR BUILD_DIR [POPUPS [CPU_SECONDS]]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$2 popups=${3:-100} cpu_seconds=${4:-60}
wine_session_start "$template" || exit 1
printf 'offers\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
cp "$app/quellix_spawner.exe" "$app/nagware.exe"
printf 'program\tclass\ttitle\ttext\taction\r\nnagware.exe\t#32770\tUpdate available\t\tclose\r\n' >"$app/popcfg.rules"
budget=$((cpu_seconds * 5 + popups * 2 + 300))
set_instant() { wine reg add "$QUELLIX_KEY" /v instant /t REG_SZ /d "$1" /f >/dev/null 2>&1; }

# The Unix process of a Windows program of this session, by its name (Wine names the
# process after the program).
process_of() {  # NAME
  local p
  for p in /proc/[0-9]*; do
    [ "$(cat "$p/comm" 2>/dev/null)" = "$1" ] || continue
    tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { basename "$p"; return 0; }
  done
  return 1
}
# User and system CPU time of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Median and 95th percentile (nearest rank) of the numbers in FILE, one a line.
percentiles() {
  sort -n "$1" | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "no figures"; exit }
    m = int((NR + 1) / 2); p = int(NR * 0.95); if (p < NR * 0.95) p++
    printf "median %.1f ms, p95 %.1f ms, max %.1f ms over %d pop-ups\n", v[m], v[p], v[NR], NR }'
}

# Opens POPUPS listed pop-ups one after another and writes their latencies to FILE.
latencies() {  # FILE LABEL
  local ids=() id i ms queued
  queued_while_made=0
  for i in $(seq "$popups"); do
    spawn "open IEFrame cf0000 0 Cheap offers $2 $i - Microsoft Internet Explorer"
    ids+=("${answer#ok }")
  done
  sleep 3.5   # one timed check more burns whatever is left
  : >"$1"
  for id in "${ids[@]}"; do
    spawn "latency $id"
    read -r _ ms queued <<<"$answer"
    [ "$ms" = none ] && { echo "  a pop-up received no close request"; continue; }
    echo "$ms" >>"$1"
    [ "$queued" = 1 ] && queued_while_made=$((queued_while_made + 1))
  done
}

# Opens COUNT dialog boxes a rule names, one after another, and writes their latencies to FILE.
rule_dialog_latencies() {  # FILE COUNT
  local ids=() id i ms queued
  for i in $(seq "$2"); do
    spawn_to nagware "dialog 0 0 Update available|Version $i is ready.|OK"
    ids+=("${answer#ok }")
    sleep 0.1
  done
  sleep 3.5
  : >"$1"
  for id in "${ids[@]}"; do
    spawn_to nagware "latency $id"
    read -r _ ms queued <<<"$answer"
    [ "$ms" = none ] && { echo "  a dialog received no close request"; continue; }
    echo "$ms" >>"$1"
  done
}

# Renames COUNT unlisted windows to a listed title and prints the median delay to the close.
# As every function here that talks to the spawner, not for $( ): spawn counts the answers.
renamed_to_listed() {  # COUNT LABEL
  local i id before closes after delays="$SESSION/renames-$2.txt"
  : >"$delays"
  for i in $(seq "$1"); do
    spawn "open IEFrame cf0000 0 Weather $2 $i - Microsoft Internet Explorer"
    id=${answer#ok }
    sleep 0.$((RANDOM % 9 + 1))
    before=$(now_ms)
    spawn "retitle $id Renamed offers $2 $i - Microsoft Internet Explorer"
    for _ in $(seq 100); do
      spawn "closes $id"
      [ "$answer" != "closes 0" ] && break
      sleep 0.02
    done
    after=$(now_ms)
    [ "$answer" != "closes 0" ] && echo $((after - before)) >>"$delays"
  done
  sort -n "$delays" | awk -v label="$2" '{ v[NR] = $1 } END {
    printf "instant %s: a window renamed to a listed title closed after ", label
    if (NR) printf "median %d ms over %d windows\n", v[int((NR + 1) / 2)], NR; else print "none closed" }'
}

# CPU seconds of quellix.exe and of the Wine server over CPU_SECONDS of a renaming window.
renaming_cost() {  # LABEL
  local id q s q0 s0 q1 s1 hz renames
  spawn "open Notepad cf0000 0 Weather $1 - Notepad"
  id=${answer#ok }
  q=$(process_of quellix.exe) || { echo "no quellix.exe process"; return; }
  s=$(process_of wineserver64 || process_of wineserver) || s=""
  hz=$(getconf CLK_TCK)
  spawn "rename-every $id 50"
  q0=$(cpu_ticks "$q") s0=${s:+$(cpu_ticks "$s")}
  sleep "$cpu_seconds"
  q1=$(cpu_ticks "$q") s1=${s:+$(cpu_ticks "$s")}
  spawn "rename-every $id 0"
  spawn "renames $id"
  renames=${answer#renames }
  awk -v q="$((q1 - q0))" -v s="${s1:-0}" -v s0="${s0:-0}" -v hz="$hz" -v t="$cpu_seconds" -v n="$renames" -v label="$1" 'BEGIN {
    printf "instant %s, one window renamed 20 times a second: quellix.exe %.2f CPU s in %d s (%.2f%% of one core); wineserver %.2f CPU s; %d renames\n",
      label, q / hz, t, 100 * q / hz / t, (s - s0) / hz, n }'
  spawn "destroy $id"
}

# The same while an unlisted window is made anew about 20 times a second.
remaking_cost() {  # LABEL
  local q s q0 s0 q1 s1 hz start elapsed i count=$((cpu_seconds * 20))
  q=$(process_of quellix.exe) || { echo "no quellix.exe process"; return; }
  s=$(process_of wineserver64 || process_of wineserver) || s=""
  hz=$(getconf CLK_TCK)
  q0=$(cpu_ticks "$q") s0=${s:+$(cpu_ticks "$s")} start=$(now_ms)
  # Sent without waiting for each answer; counted and awaited below.
  for i in $(seq "$count"); do
    echo "remake Notepad cf0000 0 Weather $1 $i - Notepad" >&"${SPAWNER_FD[spawn]}"
    sleep 0.05
  done
  SPAWNER_ANSWERS[spawn]=$((SPAWNER_ANSWERS[spawn] + count))
  for _ in $(seq 600); do
    [ "$(wc -l <"$SESSION/spawn.out")" -ge "${SPAWNER_ANSWERS[spawn]}" ] && break
    sleep 0.05
  done
  q1=$(cpu_ticks "$q") s1=${s:+$(cpu_ticks "$s")} elapsed=$(($(now_ms) - start))
  awk -v q="$((q1 - q0))" -v s="${s1:-0}" -v s0="${s0:-0}" -v hz="$hz" -v t="$elapsed" -v n="$count" -v label="$1" 'BEGIN {
    printf "instant %s, one window made anew %d times in %.1f s: quellix.exe %.2f CPU s (%.2f%% of one core); wineserver %.2f CPU s\n",
      label, n, t / 1000, q / hz, 100 * q / hz / (t / 1000), (s - s0) / hz }'
}

spawner_start "$app/quellix_spawner.exe" "$budget"
spawner_start "$app/nagware.exe" "$budget" nagware
quellix_start "$budget"
sleep 1

set_instant 0
sleep 3.5
latencies "$SESSION/off.txt" off
echo "instant off: close request after window creation: $(percentiles "$SESSION/off.txt");" \
  "queued before CreateWindowExA returned: $queued_while_made"
set_instant 1
sleep 3.5   # the next timed check sets the watch
latencies "$SESSION/on.txt" on
echo "instant on: close request after window creation: $(percentiles "$SESSION/on.txt");" \
  "queued before CreateWindowExA returned: $queued_while_made"
rule_dialog_latencies "$SESSION/rules-on.txt" 30
echo "instant on: a rule's dialog closed after its creation: $(percentiles "$SESSION/rules-on.txt" | sed 's/pop-ups/dialogs/')"
renamed_to_listed 10 on
renaming_cost on
remaking_cost on
set_instant 0
sleep 3.5
renamed_to_listed 10 off
renaming_cost off
remaking_cost off
echo "cnt $(wine reg query "$QUELLIX_KEY" /v cnt 2>/dev/null | tr -d '\r' | awk '$1 == "cnt" {print $3}')"

wine taskkill /im quellix.exe >/dev/null 2>&1
spawn_to nagware quit
spawn quit
