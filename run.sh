#!/usr/bin/env bash
# Builds the saver and runs it under Wine.
#   ./run.sh [--bare] [switch ...]     switch defaults to /s (show)
# The saver runs from build/demo, beside two sample pictures (--bare: none, so
# the built-in fallback shows). Without a DISPLAY it runs on a private screen
# for a few seconds and leaves build/screenshot.png and build/ticker.gif.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

bare=0
if [ "${1:-}" = --bare ]; then
  bare=1
  shift
fi
[ $# -gt 0 ] || set -- /s

./build.sh
demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp build/zarumo.scr "$demo/"
if [ $bare = 0 ] && [ -d build/samples ]; then
  cp build/samples/* "$demo/"
fi

if [ -n "${DISPLAY:-}" ]; then
  ZARUMO_USE_DISPLAY=1 tools/wine-run.sh "$demo/zarumo.scr" "$@"
else
  tools/wine-run.sh --exec tools/headless-demo.sh "$demo/zarumo.scr" "$@"
fi
