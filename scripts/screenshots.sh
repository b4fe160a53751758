#!/usr/bin/env bash
# Builds, then opens each window of the editor on a virtual display (Xvfb)
# and saves a picture of it into ./screenshots (or the folder given).
# Each shot_* program shows one window in a prepared state and saves it.
set -euo pipefail
BUILD_KIND=tools
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
OUT="${1:-$ROOT/screenshots}"
mkdir -p "$OUT"
for prog in $(find "$BUILD/tools/shots" -maxdepth 1 -type f -name 'shot_*' ! -name 'shot_guide' -perm -u+x | sort); do
  name="$(basename "$prog")"
  echo "$name -> $OUT/${name#shot_}.png"
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$prog" "$OUT/${name#shot_}.png"
done
