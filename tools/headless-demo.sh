#!/usr/bin/env bash
# Inside wine-run.sh's environment: runs the saver for a few seconds, takes a
# screenshot and a short animation of the screen, then ends it with a key
# press as a user would.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build"

wine "$@" &
saver=$!
sleep "${ZARUMO_DEMO_SECONDS:-5}"
import -window root "$out/screenshot.png"
# The ticker band: the bottom 200 rows of the screen.
geometry=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
width=${geometry%x*}
height=${geometry#*x}
frames=$(mktemp -d)
for i in $(seq -w 1 30); do
  import -window root -crop "${width}x200+0+$((height - 200))" +repage "$frames/frame-$i.png"
  sleep 0.1
done
convert -delay 10 -loop 0 "$frames"/frame-*.png "$out/ticker.gif"
rm -rf "$frames"

# Alt+F4 closes the saver as any key does, and closes the setup dialog too.
xdotool key alt+F4
for _ in $(seq 50); do
  kill -0 "$saver" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$saver" 2>/dev/null; then
  echo "the saver did not end; stopping it" >&2
  wineserver -k
fi
wait "$saver"
code=$?
echo "Saver ended with exit code $code; see build/screenshot.png and build/ticker.gif"
