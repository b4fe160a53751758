#!/usr/bin/env bash
# Times `pelumo --import` (the whole process) on the two sources a user brings
# most: a 12-megapixel phone photograph that its EXIF orientation turns
# upright, and a 5-minute MP3. The floors are what the stock tools take for the
# least of the same work: the photograph decoded at half size and written at
# quality 90 (djpeg -scale 1/2 | cjpeg -quality 90, which does not even turn
# it), and the MP3 decoded to a wav (ffmpeg -i in.mp3 out.wav). Prints the
# rows for the import table of docs/performance.md: the median time of the
# whole process, and the processor time it took (the machine may be busy).
set -euo pipefail
EXTRA_PACKAGES="hyperfine ffmpeg libjpeg-turbo-progs python3" source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
P="$WORK/project"
mkdir "$P"
: >"$P/LISTDATA.PLD"

# 4032 x 3024 with a sensor's noise, so that it codes like a photograph, and
# an EXIF block after the start whose orientation (6) turns it a quarter.
ffmpeg -loglevel error -f lavfi -i "testsrc2=s=4032x3024,noise=alls=12:allf=t" -frames:v 1 -q:v 2 "$WORK/plain.jpg"
{
  printf '\xff\xd8\xff\xe1\x00\x22Exif\x00\x00MM\x00\x2a\x00\x00\x00\x08\x00\x01'
  printf '\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00\x00\x00\x00\x00'
  tail -c +3 "$WORK/plain.jpg"
} >"$WORK/photo.jpg"
ffmpeg -loglevel error -f lavfi -i "sine=f=440:d=300" -ac 2 -ar 44100 -b:a 192k "$WORK/song.mp3"

clean="rm -f $P/*.jpg $P/*.wav $WORK/out.*"
hyperfine --style basic -w 2 -r 15 --prepare "$clean" --export-json "$WORK/times.json" \
  -n photo "$BUILD/src/pelumo --import $P $WORK/photo.jpg" \
  -n photo-floor "djpeg -scale 1/2 $WORK/photo.jpg | cjpeg -quality 90 >$WORK/out.jpg" \
  -n song "$BUILD/src/pelumo --import $P $WORK/song.mp3" \
  -n song-floor "ffmpeg -loglevel error -y -i $WORK/song.mp3 $WORK/out.wav" >/dev/null

python3 - "$WORK/times.json" "$(stat -c %s "$WORK/photo.jpg")" <<'PY'
import json, sys
t = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
size = int(sys.argv[2]) / 1e6
for what, key, target in [
    (f"12-megapixel photograph with orientation 6 ({size:.1f} MB) to an upright 1080 x 1440 JPEG", "photo", 1.0),
    ("5-minute 192 kbit/s MP3 to a 16-bit 44.1 kHz wav", "song", 2.0),
]:
    ours, floor = t[key]["median"], t[key + "-floor"]["median"]
    cpu = lambda r: (r["user"] + r["system"]) * 1e3
    print(f"| {what} | {ours * 1e3:.0f} ms ({cpu(t[key]):.0f} ms CPU) | {floor * 1e3:.0f} ms ({cpu(t[key + '-floor']):.0f} ms CPU) "
          f"| {ours / floor:.2f}x | < {target:.0f} s | {'yes' if ours < target else '**no**'} |")
PY
