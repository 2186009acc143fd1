#!/usr/bin/env bash
# Measures the saver under Wine:
#  - one tick against one plain copy of as many pixels (1024x768 and 1920x1080);
#  - start to first frame and the saver's peak working set, median of RUNS
#    starts (default 7): without pictures, with two 12-megapixel and with two
#    48-megapixel baseline photos, with the two 12-megapixel ones tagged as
#    portraits (Exif orientation 6), and with one 48-megapixel progressive
#    photo, against djpeg -dct float decoding the same files natively; the
#    12-megapixel case once more as on a system without SSE (12nosse: the SSE
#    probe made to fail, so that libjpeg-turbo decodes with MMX code); and one
#    12-megapixel PNG as the name picture (12png) against a native whole
#    decode of it through libpng;
#  - the picture pane's time to show each photo after its selection;
#  - how much memory a saver that has built its scene can still allocate.
# With BASELINE=path/to/other/zarumo.scr the starts of that saver are measured
# in the same run, interleaved with this one's, so that whatever else loads
# the machine falls on both alike.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./build.sh >/dev/null

runs=${RUNS:-7}
bench="$root/build/bench"
photos="$bench/photos"
mkdir -p "$photos"
# Phone-like photos: 4:2:0, quality 90.
photo() {  # name size seed colours [more convert options]
  local out="$photos/$1.jpg"
  [ -f "$out" ] || convert -seed "$3" -size "$2" "plasma:$4" -sampling-factor 2x2 -quality 90 \
    "${@:5}" "$out"
}
photo name12 4000x3000 7 blue-yellow
photo wish12 4000x3000 11 red-green
photo name48 8000x6000 13 blue-yellow
photo wish48 8000x6000 17 red-green
photo prog48 8000x6000 19 green-blue -interlace JPEG
# The same content as a PNG of 8-bit RGB, as a program saves a photo.
[ -f "$photos/name12.png" ] ||
  convert -seed 7 -size 4000x3000 plasma:blue-yellow -depth 8 "PNG24:$photos/name12.png"
# A native whole decode of a PNG through the system's libpng, for comparison.
[ -x "$bench/pngdecode" ] || cc -O2 -x c -o "$bench/pngdecode" - -lpng <<'C'
#include <png.h>
#include <stdlib.h>
int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    png_image image = {.version = PNG_IMAGE_VERSION};
    if (!png_image_begin_read_from_file(&image, argv[i])) return 1;
    image.format = PNG_FORMAT_BGRA;
    void* pixels = malloc(PNG_IMAGE_SIZE(image));
    if (!pixels || !png_image_finish_read(&image, NULL, pixels, 0, NULL)) return 1;
    free(pixels);
  }
  return 0;
}
C
# The same 12-megapixel photos as a phone held upright stores them: an Exif
# block right after the start marker says to turn them a quarter clockwise.
for p in name12 wish12; do
  [ -f "$photos/${p}p.jpg" ] || python3 - "$photos/$p.jpg" "$photos/${p}p.jpg" <<'PY'
import struct, sys
tiff = b"II*\0" + struct.pack("<IHHHIHH", 8, 1, 0x0112, 3, 1, 6, 0) + bytes(4)
data = open(sys.argv[1], "rb").read()
exif = b"\xFF\xE1" + struct.pack(">H", len(tiff) + 8) + b"Exif\0\0" + tiff
open(sys.argv[2], "wb").write(data[:2] + exif + data[2:])
PY
done

# One folder for each saver and case; the name and wish pictures beside it.
declare -A saver=([new]="$root/build/zarumo.scr")
[ -n "${BASELINE:-}" ] && saver[old]=$(realpath "$BASELINE")
read -ra cases <<<"${CASES:-bare 12mp 12port 12nosse 48mp prog48 12png}"
for who in "${!saver[@]}"; do
  for c in "${cases[@]}"; do
    dir="$bench/$who-$c"
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "${saver[$who]}" "$dir/zarumo.scr"
    case $c in
      12mp | 12nosse) ln "$photos/name12.jpg" "$dir/なまえ.jpg"; ln "$photos/wish12.jpg" "$dir/ねがい.jpg" ;;
      12port) ln "$photos/name12p.jpg" "$dir/なまえ.jpg"; ln "$photos/wish12p.jpg" "$dir/ねがい.jpg" ;;
      48mp) ln "$photos/name48.jpg" "$dir/なまえ.jpg"; ln "$photos/wish48.jpg" "$dir/ねがい.jpg" ;;
      prog48) ln "$photos/prog48.jpg" "$dir/ねがい.jpg" ;;
      12png) ln "$photos/name12.png" "$dir/name.png"; printf 'name.png\r\n\r\n' >"$dir/ザルモ.ini" ;;
    esac
  done
done
exe=build/driver/bench/zarumo_bench.exe
echo "load before: $(uptime)"

for size in 1024x768 1920x1080; do
  ZARUMO_SCREEN=$size tools/wine-run.sh "$exe" ticks "${TICKS:-2000}"
done

log="$bench/firstframe.txt"
ZARUMO_SCREEN=1024x768 tools/wine-run.sh --exec bash -c '
  bench=$1 runs=$2 exe=$3 cases=$4
  shift 4
  for i in $(seq "$runs"); do
    for c in $cases; do
      seam=()
      [ "$c" = 12nosse ] && seam=(ZARUMO_SSE_PROBE_FAULT=1)
      for who in "$@"; do
        env "${seam[@]}" wine "$exe" firstframe "$(winepath -w "$bench/$who-$c")" | tr -d "\r" |
          sed "s/^/$who $c $i /"
      done
    done
  done' _ "$bench" "$runs" "$exe" "${cases[*]}" "${!saver[@]}" | tee "$log"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "-") }'; }
values() {  # who case pattern: "run value" for the number before `pattern`
  grep "^$1 $2 " "$log" | sed -n "s/^[^ ]* [^ ]* \([0-9]*\) .* \([0-9]*\) $3.*/\1 \2/p"
}
field() { values "$@" | cut -d' ' -f2 | median; }
# The median of each run's difference from the bare start in the same run:
# the load changes less within a run than across runs.
overBare() {
  join <(values "$1" "$2" "$3" | sort) <(values "$1" bare "$3" | sort) |
    awk '{ print $2 - $3 }' | median
}
djpeg_ms() {  # median time of djpeg -dct float over the files given
  for i in $(seq "$runs"); do
    local start=$(date +%s%N)
    for f in "$@"; do djpeg -dct float -bmp -outfile /dev/null "$f"; done
    echo $(( ($(date +%s%N) - start) / 1000000 ))
  done | median
}
png_ms() {  # median time of a native whole decode of the PNG files given
  for i in $(seq "$runs"); do
    local start=$(date +%s%N)
    "$bench/pngdecode" "$@"
    echo $(( ($(date +%s%N) - start) / 1000000 ))
  done | median
}
declare -A decode=([12mp]=$(djpeg_ms "$photos/name12.jpg" "$photos/wish12.jpg") [12nosse]=-
                   [12port]=$(djpeg_ms "$photos/name12p.jpg" "$photos/wish12p.jpg")
                   [48mp]=$(djpeg_ms "$photos/name48.jpg" "$photos/wish48.jpg")
                   [prog48]=$(djpeg_ms "$photos/prog48.jpg")
                   [12png]=$(png_ms "$photos/name12.png"))
declare -A bytes=([12mp]=$(( $(stat -c %s "$photos/name12.jpg") + $(stat -c %s "$photos/wish12.jpg") ))
                  [12nosse]=$(( $(stat -c %s "$photos/name12.jpg") + $(stat -c %s "$photos/wish12.jpg") ))
                  [12port]=$(( $(stat -c %s "$photos/name12p.jpg") + $(stat -c %s "$photos/wish12p.jpg") ))
                  [48mp]=$(( $(stat -c %s "$photos/name48.jpg") + $(stat -c %s "$photos/wish48.jpg") ))
                  [prog48]=$(stat -c %s "$photos/prog48.jpg")
                  [12png]=$(stat -c %s "$photos/name12.png"))

echo
echo "Start to first frame at 1024x768, median of $runs starts; peak working set, median:"
printf '%-4s %-7s %9s %9s %10s %10s %12s %11s\n' saver case "start ms" "+bare ms" "native ms" "peak KB" \
  "+bare KB" "files KB"
for who in "${!saver[@]}"; do
  for c in "${cases[@]}"; do
    printf '%-4s %-7s %9s %9s %10s %10s %12s %11s\n' "$who" "$c" "$(field "$who" "$c" "ms from")" \
      "$(overBare "$who" "$c" "ms from")" "${decode[$c]:--}" "$(field "$who" "$c" KB)" \
      "$(overBare "$who" "$c" KB)" "$(( ${bytes[$c]:-0} / 1024 ))"
  done
done
echo "(+bare: the median of each run's difference from the bare start of the same run)"
echo "(no-frame starts are left out of the medians; a fallback shows as a start close to bare)"

echo
echo "The picture pane, from selection to the photo shown (this build), median of $runs:"
ZARUMO_SCREEN=1024x768 tools/wine-run.sh --exec bash -c '
  photos=$1 runs=$2 exe=$3
  for p in name12.jpg name48.jpg prog48.jpg name12.png; do
    for i in $(seq "$runs"); do
      wine "$exe" pane "$(winepath -w "$photos/$p")" | tr -d "\r" | sed "s/^/$p /"
    done
  done' _ "$photos" "$runs" "$exe" >"$bench/pane.txt"
for p in name12.jpg name48.jpg prog48.jpg name12.png; do
  echo "  $p: median $(grep "^$p " "$bench/pane.txt" | grep -o '[0-9]* ms' | cut -d' ' -f1 | median) ms;" \
    "$(grep "^$p " "$bench/pane.txt" | tail -n 1 | cut -d' ' -f2-)"
done

echo
ZARUMO_SCREEN=1024x768 tools/wine-run.sh "$exe" room | tr -d '\r'
echo "load after: $(uptime)"
