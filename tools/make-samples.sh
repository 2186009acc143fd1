#!/usr/bin/env bash
# Renders the two sample pictures that ./run.sh puts beside the saver: a name
# and a wish, under the saver's default picture names.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/samples"
[ -f "$out/なまえ.jpg" ] && [ -f "$out/ねがい.jpg" ] && exit 0
mkdir -p "$out"
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf

convert -size 420x120 xc:'#101848' -font "$font" -pointsize 64 -fill '#f0f0ff' \
  -stroke '#8090ff' -strokewidth 1 -gravity center -annotate +0+0 '山田 花子' \
  -quality 92 "$out/なまえ.jpg"
convert -size 400x96 xc:'#401010' -font "$font" -pointsize 38 -fill '#ffe080' \
  -gravity center -annotate +0+0 '商売繁盛・家内安全' -quality 92 "$out/ねがい.jpg"
