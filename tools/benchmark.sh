#!/usr/bin/env bash
# Measures the saver under Wine: one tick against one plain copy of as many
# pixels (1024x768 and 1920x1080), and start-to-first-frame with two
# 12-megapixel JPEG pictures against djpeg decoding the same files natively.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./build.sh >/dev/null

bench="$root/build/bench-run"
bare="$root/build/bench-bare"
mkdir -p "$bench" "$bare"
cp build/zarumo.scr "$bench/"
cp build/zarumo.scr "$bare/"
[ -f "$bench/なまえ.jpg" ] || convert -seed 7 -size 4000x3000 plasma:blue-yellow -quality 90 "$bench/なまえ.jpg"
[ -f "$bench/ねがい.jpg" ] || convert -seed 11 -size 4000x3000 plasma:red-green -quality 90 "$bench/ねがい.jpg"
exe=build/driver/bench/zarumo_bench.exe

for size in 1024x768 1920x1080; do
  ZARUMO_SCREEN=$size tools/wine-run.sh "$exe" ticks "${TICKS:-2000}"
done

runs=${RUNS:-5}
# The same start without pictures shows what Wine's process start costs.
ZARUMO_SCREEN=1024x768 tools/wine-run.sh --exec bash -c '
  for i in $(seq "$3"); do
    wine "$4" firstframe "$(winepath -w "$1")" | sed "s/^/pictures /"
    wine "$4" firstframe "$(winepath -w "$2")" | sed "s/^/bare /"
  done' _ "$bench" "$bare" "$runs" "$exe" | tee "$bench/firstframe.txt"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
frame=$(grep '^pictures' "$bench/firstframe.txt" | grep -o '[0-9]* ms from' | cut -d' ' -f1 | median)
bareFrame=$(grep '^bare' "$bench/firstframe.txt" | grep -o '[0-9]* ms from' | cut -d' ' -f1 | median)
decode=$(for i in $(seq "$runs"); do
  start=$(date +%s%N)
  for f in "$bench/なまえ.jpg" "$bench/ねがい.jpg"; do djpeg -dct float -bmp -outfile /dev/null "$f"; done
  echo $(( ($(date +%s%N) - start) / 1000000 ))
done | median)
echo "median start to first frame: ${frame} ms with the two pictures, ${bareFrame} ms without;" \
  "djpeg -dct float of both files: ${decode} ms; ratio $(awk -v a="$frame" -v b="$decode" \
  'BEGIN { printf "%.1f", a / b }'), of the pictures' share $(awk -v a="$frame" -v c="$bareFrame" \
  -v b="$decode" 'BEGIN { printf "%.1f", (a - c) / b }')"
