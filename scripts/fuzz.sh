#!/usr/bin/env bash
# Fuzzes the data layer (list data file, event files, CP932) with libFuzzer.
#   bash scripts/fuzz.sh                  short run over the seed corpus (CI)
#   bash scripts/fuzz.sh long [SECONDS]   each target for SECONDS (default 600)
# Builds fuzz/ into ./build-fuzz with clang; the main build is not touched.
# Exits non-zero when a target crashes or a property fails; the input that
# did it is kept in build-fuzz/artifacts/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-fuzz"
TARGETS=(list_data event_file cp932)
# Runs of the short mode: about 20 seconds for the three on two cores.
declare -A RUNS=([list_data]=1600 [event_file]=2400 [cp932]=100000)
MODE="${1:-short}"
SECONDS_EACH="${2:-600}"

LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true
fi
CC=clang CXX=clang++ cmake -S "$ROOT/fuzz" -B "$BUILD" -DCMAKE_BUILD_TYPE= "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j"$(nproc)" >/dev/null
# A small quarantine: the default one makes every allocation fault in a fresh
# page, which slows the list and event targets down fivefold.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"

SCRATCH="$(mktemp -d)"
trap 'rm -rf "$SCRATCH"' EXIT
mkdir -p "$BUILD/artifacts"

status=0
for t in "${TARGETS[@]}"; do
  mkdir "$SCRATCH/$t"
  cp "$ROOT/fuzz/corpus/$t/"* "$SCRATCH/$t/"
  if [ "$MODE" = long ]; then
    limits=(-max_total_time="$SECONDS_EACH")
  else
    limits=(-runs="${RUNS[$t]}" -max_total_time=15 -seed=1)
  fi
  result=ok
  "$BUILD/fuzz_$t" "${limits[@]}" -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$t-" \
    "$SCRATCH/$t" >"$SCRATCH/$t.log" 2>&1 || result=FAILED
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$SCRATCH/$t.log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$SCRATCH/$t.log")
  echo "fuzz_$t: $result, ${runs:-?} runs, ${speed:-?} exec/s"
  if [ "$result" != ok ]; then
    grep -E 'property failed|ERROR|runtime error|SUMMARY|Test unit written' "$SCRATCH/$t.log" || tail -20 "$SCRATCH/$t.log"
    status=1
  fi
done
exit "$status"
