#!/usr/bin/env bash
# Measures the editor against its floors and writes the table of figures to
# docs/performance.md (or the file given):
#   start     the program started to its top menu painted, on a virtual
#             display, against a Qt window of the same size with one Japanese
#             label in the same face, and against a bare one (whole processes,
#             alternating, scripts/start-times.sh)
#   files     reading and saving the list data file and an event file against
#             reading and atomically writing the same bytes raw
#   editor    the event editor on an item of 999 events with 500 different
#             4000 x 3000 photographs: opening it, one step, "次へ" across all
#             999 rows, and the peak memory of that run
#   check     pelumo --check on a full folder of 999 items of those events
#   rehearsal the rehearsal full screen: Enter to an item's photograph on
#             screen, the pace of photographs 100 ms apart, peak memory
# The heavy project (2 GB) is made once in build/bench-project. The page's
# Import section, which scripts/bench-import.sh measures, is kept as it is.
set -euo pipefail
EXTRA_PACKAGES="hyperfine time python3" BUILD_KIND=tools source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
OUT="${1:-$ROOT/docs/performance.md}"
PROJECT="$BUILD/bench-project"
RESULTS="$(mktemp -d)"
trap 'kill "${XVFB_PID:-}" 2>/dev/null || true; rm -rf "$RESULTS"' EXIT

echo "Making the heavy project (once)..."
"$BUILD/bench/make_bench_project" "$PROJECT"

echo "Start to first paint..."
for display in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$display" ] || break; done
# On a machine shared with other work, the display and the programs run at a
# raised priority (when allowed), so that the timing is disturbed less.
PRIORITY=()
nice -n -15 true 2>/dev/null && PRIORITY=(nice -n -15)
"${PRIORITY[@]}" Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=":$display" XDG_RUNTIME_DIR="$RESULTS/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
"${PRIORITY[@]}" bash "$ROOT/scripts/start-times.sh" 100 bare="$BUILD/bench/bare_window" label="$BUILD/bench/label_window" \
  pelumo="$BUILD/src/pelumo" >"$RESULTS/start.txt"

echo "Files..."
"$BUILD/bench/bench_files" --benchmark_min_time=0.2 --benchmark_repetitions=15 \
  --benchmark_out="$RESULTS/files.json" --benchmark_out_format=json >/dev/null

echo "Event editor..."
export PELUMO_BENCH_PROJECT="$PROJECT"
"$BUILD/bench/bench_event_editor" --benchmark_filter='Open|Refresh' \
  --benchmark_out="$RESULTS/editor.json" --benchmark_out_format=json >/dev/null
# "次へ" on its own, in a process of its own, for its peak memory.
/usr/bin/time -f '%M' -o "$RESULTS/next.rss" "$BUILD/bench/bench_event_editor" \
  --benchmark_filter=PlayAll --benchmark_out="$RESULTS/next.json" --benchmark_out_format=json >/dev/null

echo "Show check..."
hyperfine -N --style basic -w 1 -r 3 -i --export-json "$RESULTS/check.json" \
  -n check "$BUILD/src/pelumo --check $PROJECT" >/dev/null
/usr/bin/time -f '%M' -o "$RESULTS/check.rss" "$BUILD/src/pelumo" --check "$PROJECT" >/dev/null || true

python3 - "$RESULTS" "$OUT" <<'PY'
import json, os, subprocess, sys, datetime
results, out = sys.argv[1], sys.argv[2]

def load(name):
    with open(os.path.join(results, name)) as f:
        return json.load(f)

def bench(name):
    """Google Benchmark results by name, in milliseconds (the fastest when repeated)."""
    times = {}
    for b in load(name)["benchmarks"]:
        if b.get("run_type") == "aggregate":
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        key = b["run_name"].split("/")[0]
        times[key] = min(times.get(key, float("inf")), b["real_time"] * scale)
    return times

def rss_mb(name):
    with open(os.path.join(results, name)) as f:
        return int(f.read().split()[-1]) / 1024

start = {}
for line in open(os.path.join(results, "start.txt")):
    name, median, fastest = line.split()
    start[name] = float(median)
files = bench("files.json")
editor = bench("editor.json")
nxt = bench("next.json")
check = load("check.json")["results"][0]

rows = []
def row(what, ours, floor, ratio, target, ok):
    rows.append(f"| {what} | {ours} | {floor} | {ratio} | {target} | {'yes' if ok else '**no**'} |")

ours, label, bare = start["pelumo"], start["label"], start["bare"]
row("start to the painted top menu (whole process, median of 100)", f"{ours:.0f} ms", f"{label:.0f} ms window with a Japanese label",
    f"{ours / label:.2f}x", "≤ 1.1x", ours / label <= 1.1)
row("the same against an empty window", f"{ours:.0f} ms", f"{bare:.0f} ms bare window", f"{ours / bare:.2f}x", "", True)
for label, kind, raw, limit in [
    ("read the list data file (999 items)", "BM_List_Read", "BM_ListRaw_Read", 5),
    ("read an event file (999 events)", "BM_Event_Read", "BM_EventRaw_Read", 5),
    ("save the list data file", "BM_List_Write", "BM_ListRaw_Write", 2),
    ("save an event file", "BM_Event_Write", "BM_EventRaw_Write", 2),
]:
    r = files[kind] / files[raw]
    verb = "raw read" if "Read" in kind else "raw atomic write"
    row(label, f"{files[kind] * 1e3:.0f} µs", f"{files[raw] * 1e3:.0f} µs {verb}", f"{r:.1f}x", f"≤ {limit}x", r <= limit)
row("open an item's events with the preview", f"{editor['BM_Open']:.0f} ms", "", "", "", True)
row("one step onto a photograph (▼)", f"{editor['BM_Refresh']:.0f} ms", "", "", "", True)
row("\"次へ\" across 999 events, 500 photographs", f"{nxt['BM_PlayAll']:.0f} ms", "", "", "< 1 s", nxt["BM_PlayAll"] < 1000)
mem = rss_mb("next.rss")
row("peak memory of that run", f"{mem:.0f} MB", "", "", "< 150 MB", mem < 150)
row("show check of the full folder (`--check`, median of 3)", f"{check['median']:.1f} s", "", "", "", True)
row("peak memory of the show check", f"{rss_mb('check.rss'):.0f} MB", "", "", "", True)

cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
# The Import section comes from scripts/bench-import.sh: kept from the page as it was.
kept = ""
if os.path.exists(out):
    old = open(out).read()
    at = old.find("\n## Import\n")
    if at >= 0:
        end = old.find("\n## ", at + 1)
        kept = old[at:end if end >= 0 else len(old)].rstrip("\n") + "\n"
with open(out, "w") as f:
    f.write(f"""# Performance

Made by `bash scripts/bench.sh` on {datetime.date.today()}: {os.cpu_count()} cores ({cpu}),
{subprocess.run(['uname', '-sr'], capture_output=True, text=True).stdout.strip()}, the RelWithDebInfo build in `build/`.
Run it again to replace this page. The heavy project is 999 items of 999
events each; in every item rows 1, 2, 5, 6, 9, 10, ... show 500 different
photographs of 4000 x 3000 pixels (about 4 MB each) and the rows between wait.

| what | ours | floor | ratio | target | met |
|---|---|---|---|---|---|
""")
    f.write("\n".join(rows) + "\n")
    f.write("""
- Start: the three programs run on the same virtual display (Xvfb) and end
  at their first paint (`PELUMO_QUIT_AFTER_FIRST_PAINT`), which comes after
  the window is mapped; `scripts/start-times.sh` times each whole process,
  from its start to its end, 100 times after two rounds of warm-up, one run
  of each program in turn, so that a busy moment of the machine falls on
  all three alike; the median counts. The display and the programs run at
  a raised priority (`nice -n -15`), as the machine is shared with other
  work. The floors are Qt Widgets windows of
  the top menu's size: `bench/label_window.cpp` shows one Japanese label in
  the top menu's face (so it finds the fonts and loads and draws a Japanese
  face, as the editor must), `bench/bare_window.cpp` nothing.
- Files: `bench/bench_files.cpp`, the fastest of fifteen runs each (on a
  shared machine, anything else running only adds time). The floor reads the same
  file with `QFile::readAll`, and writes the same bytes through `QSaveFile`.
  Both files are full: 999 rows of Japanese text (the event file about 70 KB,
  nearly all two-byte characters). Reading is decoding: each character is a
  table look-up, and every one of the 2000 texts read replaces one held
  before, which must be let go; the raw read does neither.
- Event editor: `bench/bench_event_editor.cpp` on item 1, offscreen. Peak
  memory is the maximum resident set of a process that opens the item twice
  and runs "次へ" across it each time.
""")
    f.write(kept)
print(open(out).read())
PY

echo "Rehearsal..."
"$BUILD/bench/bench_rehearsal" "$PROJECT" | tee -a "$OUT"
