#!/usr/bin/env bash
# Screenshots of the setup dialog and of its open-picture dialog with a picture
# selected, for the README: docs/images/setup-dialog.png and
# docs/images/open-picture-dialog.png. Runs headless in a Wine prefix of its
# own, so the test prefix stays as it is.
#   tools/screenshots-setup.sh [path/to/zarumo.scr]     (default build/zarumo.scr)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != --inside ]; then
  saver=$(realpath "${1:-$root/build/zarumo.scr}")
  [ -f "$saver" ] || { echo "no saver at $saver (run ./build.sh)" >&2; exit 1; }
  export ZARUMO_WINEPREFIX=${ZARUMO_WINEPREFIX:-$root/build/wine/screenshots-${ZARUMO_SCREEN:-1024x768}}
  exec "$root/tools/wine-run.sh" --exec "$0" --inside "$saver"
fi

# From here on inside wine-run.sh's display, prefix and locale.
saver=$2
out="$root/docs/images"
mkdir -p "$out"
work="$WINEPREFIX/drive_c/zarumo"
rm -rf "$work"
mkdir -p "$work"
cp "$saver" "$work/zarumo.scr"

# Two sample pictures beside the saver, under the default names.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" - "$work" <<'EOF' || exit 1
import sys
from PIL import Image, ImageDraw, ImageFont
work = sys.argv[1]
font_path = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"

def card(size, text, top, bottom, ink, name):
    im = Image.new("RGB", size)
    d = ImageDraw.Draw(im)
    for y in range(size[1]):
        t = y / (size[1] - 1)
        d.line([(0, y), (size[0], y)],
               fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))
    d.rounded_rectangle([6, 6, size[0] - 7, size[1] - 7], 12, outline=ink, width=4)
    points = int(size[1] * 0.42)
    while True:
        font = ImageFont.truetype(font_path, points)
        box = d.textbbox((0, 0), text, font=font)
        if box[2] - box[0] <= size[0] * 0.8:
            break
        points -= 2
    d.text(((size[0] - box[2] - box[0]) / 2, (size[1] - box[3] - box[1]) / 2), text,
           font=font, fill=ink)
    im.save(f"{work}/{name}", quality=92)

card((360, 180), "ザルモ 太郎", (40, 70, 150), (120, 40, 110), (255, 215, 80), "なまえ.jpg")
card((480, 120), "世界平和", (20, 110, 60), (10, 50, 90), (255, 255, 255), "ねがい.jpg")
EOF

cd "$work" || exit 1
wine "$work/zarumo.scr" /c &
pid=$!

# The top-level X window whose title is $1, once it has been mapped.
find_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Crops the root window to the X window $1.
shoot() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  echo "wrote $2 (${WIDTH}x${HEIGHT})"
}

status=0
if dialog=$(find_window 'ザルモセーバー設定'); then
  sleep 1.5
  shoot "$dialog" "$out/setup-dialog.png"
  # The name picture's browse button has the focus: Enter browses for the name picture.
  xdotool key Return
  if open=$(find_window '開く'); then
    sleep 1.5
    # From the file-name box back to the file list, and its first file.
    xdotool key shift+Tab
    sleep 0.3
    xdotool key Home
    sleep 1.5
    shoot "$open" "$out/open-picture-dialog.png"
    xdotool key Escape
    sleep 0.5
  else
    echo "the open-picture dialog did not appear" >&2
    status=1
  fi
  xdotool key alt+F4
else
  echo "the setup dialog did not appear" >&2
  status=1
fi

for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && wineserver -k
wait "$pid" 2>/dev/null
exit $status
