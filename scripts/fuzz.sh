#!/usr/bin/env bash
# Runs every fuzz target for a bounded time under AddressSanitizer and UBSan, two at a time,
# starting from the seeds in fuzz/corpus (which are not modified). Prints the executions and
# the coverage each target reached; any crash fails the run and leaves its input in
# build/fuzz/findings/<target>/.
# Usage: scripts/fuzz.sh [seconds-per-target, default 60]
source "$(dirname "$0")/lib.sh"
seconds=${1:-60}
step "configuring the fuzz build (cmake --preset fuzz)" cmake --preset fuzz
step "building the fuzz targets" cmake --build --preset fuzz -j "$(nproc)"
out=build/fuzz/runs
rm -rf "$out"
mkdir -p "$out"
targets=$(ls fuzz/corpus)
run() {
  local t=$1
  mkdir -p "$out/$t.corpus" "build/fuzz/findings/$t"
  # -rss_limit_mb keeps a runaway allocation a finding rather than a machine-wide problem.
  if build/fuzz/"$t" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 \
       -artifact_prefix="build/fuzz/findings/$t/" "$out/$t.corpus" "fuzz/corpus/$t" >"$out/$t.log" 2>&1; then
    echo ok >"$out/$t.status"
  else
    echo failed >"$out/$t.status"
  fi
}
set -- $targets
while [ $# -gt 0 ]; do
  run "$1" &
  a=$!
  b=""
  if [ $# -gt 1 ]; then run "$2" & b=$!; fi
  wait $a
  [ -n "$b" ] && wait $b
  shift; [ $# -gt 0 ] && shift
done
status=0
printf '%-24s %12s %8s %8s  %s\n' target executions cov ft result
for t in $targets; do
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/$t.log" | grep -o '[0-9]*$' || echo "?")
  last=$(grep -E '^#[0-9]+' "$out/$t.log" | tail -1)
  cov=$(echo "$last" | grep -o 'cov: [0-9]*' | grep -o '[0-9]*' || echo "?")
  ft=$(echo "$last" | grep -o 'ft: [0-9]*' | grep -o '[0-9]*' || echo "?")
  result=$(cat "$out/$t.status")
  printf '%-24s %12s %8s %8s  %s\n' "$t" "$runs" "$cov" "$ft" "$result"
  if [ "$result" != ok ]; then
    status=1
    grep -E 'ERROR|SUMMARY|artifact' "$out/$t.log" | head -5
  fi
done
exit $status
