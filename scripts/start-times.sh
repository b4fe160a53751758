#!/usr/bin/env bash
# Times the start of programs that end at their first paint: each is started
# RUNS times, one of each in turn, so that a busy moment of the machine falls
# on all alike, after two warm-up rounds that are not counted.
#
#   bash scripts/start-times.sh RUNS NAME=PROGRAM...
#
# Runs on $DISPLAY with PELUMO_QUIT_AFTER_FIRST_PAINT=1 and prints one line a
# program: NAME, the median and the fastest time in milliseconds. Needs only
# bash, so that it also runs on a fresh system.
set -euo pipefail
RUNS="$1"
shift
export PELUMO_QUIT_AFTER_FIRST_PAINT=1
declare -A times
names=()
for program in "$@"; do
  names+=("${program%%=*}")
  times[${program%%=*}]=""
done
now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }
for ((round = -2; round < RUNS; round++)); do
  for program in "$@"; do
    start=$(now_us)
    ${program#*=} >/dev/null 2>&1 </dev/null || { echo "start-times: ${program#*=} failed" >&2; exit 1; }
    end=$(now_us)
    ((round < 0)) || times[${program%%=*}]+="$((end - start)) "
  done
done
for name in "${names[@]}"; do
  tr ' ' '\n' <<<"${times[$name]}" | grep . | sort -n | awk -v name="$name" \
    '{t[NR] = $1} END {m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%s %.1f %.1f\n", name, m / 1000, t[1] / 1000}'
done
