#!/usr/bin/env bash
# Times `pelumo --check` (the whole process) on the heavy project: the first
# check, with an empty cache, and a check again of the unchanged folder. The
# floor of the first is the least work it must do: each photograph decoded
# once at the check's scaled size (djpeg -scale 1/8, one process a file), on
# all cores at once. Prints the rows for the check table of
# docs/performance.md.
set -euo pipefail
EXTRA_PACKAGES="hyperfine libjpeg-turbo-progs python3" BUILD_KIND=tools BUILD_TARGETS="pelumo make_bench_project" source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
PROJECT="$BUILD/bench-project"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bench/make_bench_project" "$PROJECT"
export XDG_CACHE_HOME="$WORK/cache"
photos=$(find "$PROJECT" -maxdepth 1 -name '*.jpg' | wc -l)

hyperfine --style basic -i -r 3 --export-json "$WORK/first.json" \
  --prepare "rm -rf $XDG_CACHE_HOME" \
  -n floor "find $PROJECT -maxdepth 1 -name '*.jpg' -print0 | xargs -0 -P $(nproc) -n 1 djpeg -scale 1/8 -outfile /dev/null" \
  -n first "$BUILD/src/pelumo --check $PROJECT" >/dev/null
"$BUILD/src/pelumo" --check "$PROJECT" >/dev/null || true
hyperfine --style basic -i -w 1 -r 10 --export-json "$WORK/again.json" \
  -n again "$BUILD/src/pelumo --check $PROJECT" >/dev/null

python3 - "$WORK" "$photos" <<'PY'
import json, os, sys
work, photos = sys.argv[1], int(sys.argv[2])
t = {}
for name in ("first.json", "again.json"):
    t.update({r["command"]: r for r in json.load(open(os.path.join(work, name)))["results"]})
floor, first, again = (t[k]["median"] for k in ("floor", "first", "again"))
print(f"| first check, empty cache (median of 3) | {first:.2f} s | {floor:.2f} s: {photos} photographs decoded once at 1/8 on {os.cpu_count()} cores | {first / floor:.2f}x | ≤ 1.1x | {'yes' if first <= 1.1 * floor else '**no**'} |")
print(f"| check again, folder unchanged (median of 10) | {again * 1e3:.0f} ms | | | < 1 s | {'yes' if again < 1 else '**no**'} |")
PY
