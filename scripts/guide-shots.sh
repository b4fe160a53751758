#!/usr/bin/env bash
# Builds, then makes the pictures of the user's guide (docs/guide.md) into
# docs/images (or the folder given): for each view, shot_guide builds the
# guide's sample project in a temporary folder, shows one window of it on a
# virtual display (Xvfb) and saves VIEW.png.
set -euo pipefail
BUILD_KIND=tools
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
OUT="${1:-$ROOT/docs/images}"
mkdir -p "$OUT"
# The guide's pictures are the same on every machine: no user settings, and
# sound (never played by these programs) has no device to look for.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 SDL_AUDIODRIVER=dummy
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME
failed=0
for name in $(QT_QPA_PLATFORM=offscreen "$BUILD/tools/shots/shot_guide" --list); do
  echo "$name -> $OUT/$name.png"
  if ! xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$BUILD/tools/shots/shot_guide" "$name" "$OUT/$name.png"; then
    echo "failed: $name" >&2
    failed=1
  fi
done
exit "$failed"
