#!/usr/bin/env bash
# The real program's memory with a large block list under Wine: quellix.exe starts with a
# list file of random entries (MB megabytes, 10 unless told) and figures for every hundredth
# entry; reported are the time from its start to its tray icon and its resident memory once
# the icon is there, beside the same for a list of two entries (Wine's own share).
# Usage: memory_bench.sh TEMPLATE_DIR BUILD_DIR [MB]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$(realpath -m "$1") build=$(realpath -m "$2") megabytes=${3:-10}
wine_session_start "$template" || exit 1

printf 'offers\r\ncasino\r\n' >"$SESSION/small.apo"
# The same kind of list as bench/memory_bench.cpp makes: 8 to 40 random letters, digits,
# blanks and dashes an entry, none starting with a blank.
python3 - "$SESSION/large.apo" "$SESSION/large.hits" "$megabytes" <<'EOF'
import random, sys
rng = random.Random(2026)
alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -"
target = int(sys.argv[3]) << 20
lines, figures, size = [], [b"Quellix burn figures 1\r\n"], 0
while size < target:
    entry = "".join(rng.choice(alphabet) for _ in range(rng.randint(8, 40)))
    entry = "x" + entry[1:] if entry[0] == " " else entry
    if len(lines) % 100 == 0:
        figures.append(b"3\t12/8/2026 10:00:00\t" + entry.encode() + b"\r\n")
    lines.append(entry.encode() + b"\r\n")
    size += len(entry) + 2
open(sys.argv[1], "wb").write(b"".join(lines))
open(sys.argv[2], "wb").write(b"".join(figures))
EOF
app_prepare "$build" "$SESSION/small.apo"

# The process of quellix.exe in this session's prefix.
quellix_pid() {
  local p
  for p in $(pgrep -x quellix.exe 2>/dev/null); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
  done
  return 1
}

# Starts quellix.exe with the list file LIST (and figures FIGURES, when given), waits for its
# tray icon and sets $seconds (from the start to the icon), $cpu (the processor time the
# program used, by then and two seconds on) and $resident and $highest (MB). Ends the
# session's Wine processes afterwards, so each run starts alike.
# Usage: measure LIST [FIGURES]
measure() {
  cp "$1" "$app/popcfg.apo"
  rm -f "$app/popcfg.hits"
  [ -n "${2:-}" ] && cp "$2" "$app/popcfg.hits"
  wineserver -p 2>/dev/null  # again after the run before ended it
  local start end tray="" pid="" rss hwm
  seconds="" resident="" highest="" cpu=""
  start=$(date +%s%N)
  timeout 120 wine "$app/quellix.exe" &
  for _ in $(seq 1200); do
    tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -1)
    [ -n "$tray" ] && break
    sleep 0.05
  done
  end=$(date +%s%N)
  [ -n "$tray" ] || fail "no tray icon within a minute"
  sleep 2  # the rows the list view is told of after the icon, and what they cost
  pid=$(quellix_pid) || fail "no quellix.exe process"
  cpu=$(awk -v hz="$(getconf CLK_TCK)" '{ printf "%.2f", ($14 + $15) / hz }' "/proc/$pid/stat")
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  read -r seconds resident highest <<<"$(awk -v t="$((end - start))" -v r="$rss" -v h="$hwm" \
    'BEGIN { printf "%.2f %.1f %.1f", t / 1e9, r / 1024, h / 1024 }')"
}

measure "$SESSION/small.apo"
small_s=$seconds small_cpu=$cpu small_rss=$resident small_hwm=$highest
measure "$SESSION/large.apo" "$SESSION/large.hits"
large_s=$seconds large_cpu=$cpu large_rss=$resident large_hwm=$highest
list_mb=$(awk -v b="$(stat -c %s "$SESSION/large.apo")" 'BEGIN { printf "%.1f", b / 1048576 }')
entries=$(grep -c '' "$SESSION/large.apo")
echo "list of two entries: icon after ${small_s} s (${small_cpu} s of processor time)," \
  "resident ${small_rss} MB (highest ${small_hwm} MB)"
echo "list of ${list_mb} MB (${entries} entries): icon after ${large_s} s (${large_cpu} s of processor time)," \
  "resident ${large_rss} MB (highest ${large_hwm} MB)"
echo "PASS"
