#!/usr/bin/env bash
# Runs a Windows program under Wine the way the saver is meant to meet it: a
# Japanese locale (code page 932), the project's own prefix, and a private X
# screen of ZARUMO_SCREEN (default 1024x768) and ZARUMO_DEPTH bits a pixel
# (default 24; 8 is a palette display) unless ZARUMO_USE_DISPLAY=1.
# ZARUMO_MONITORS ("1024x768 800x600") gives monitors side by side instead: a
# Xephyr with Xinerama inside the Xvfb, whose own Xinerama stacks its screens
# at one origin.
# Usage: wine-run.sh PROGRAM [ARGS...] | --exec COMMAND [ARGS...] | --boot-only
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
size=${ZARUMO_SCREEN:-1024x768}
depth=${ZARUMO_DEPTH:-24}
monitors=(${ZARUMO_MONITORS:-})
if [ ${#monitors[@]} -gt 0 ]; then
  size=$(IFS=+; echo "${monitors[*]}")
fi
prefix_name=$size
[ "$depth" = 24 ] || prefix_name=$size-$depth
export WINEPREFIX=${ZARUMO_WINEPREFIX:-$root/build/wine/prefix-$prefix_name}
export WINEDEBUG=${WINEDEBUG:--all}
# ZARUMO_LOCALE: another locale, as C.UTF-8 for code page 1252.
export LANG=${ZARUMO_LOCALE:-ja_JP.UTF-8} LC_ALL=${ZARUMO_LOCALE:-ja_JP.UTF-8}
# No Mono or Gecko installers: the saver needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# The bitmap suite the tests carry, as the Windows side names it (Z: is the root).
suite="$root/tests/data/bmpsuite"
export ZARUMO_BMPSUITE_DIR="Z:${suite//\//\\}"
# Files other programs wrote, kept beside the clone (CI copies them to ../shared).
testdata=$(cd "$root/../shared/testdata" 2>/dev/null && pwd -P)
export ZARUMO_TESTDATA_DIR="Z:${testdata//\//\\}"

xvfb_pid=
xephyr_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    wineserver -k 2>/dev/null
    for pid in $xephyr_pid $xvfb_pid; do
      kill "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
    done
  fi
}
trap cleanup EXIT

# Starts an X server (the command, with ":N" for its display) on a free
# display number; sets DISPLAY and server_pid.
start_server() {
  local n
  server_pid=
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    "$@" ":$n" -nolisten tcp >/dev/null 2>&1 &
    server_pid=$!
    for _ in $(seq 100); do
      [ -e /tmp/.X11-unix/X$n ] && break
      kill -0 "$server_pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -e /tmp/.X11-unix/X$n ]; then
      export DISPLAY=":$n"
      return 0
    fi
    server_pid=
  done
  echo "wine-run: no X display could be started" >&2
  exit 1
}

if [ "${ZARUMO_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  # Kill a session left over from a screen that no longer exists.
  wineserver -k 2>/dev/null
  if [ ${#monitors[@]} -gt 0 ]; then
    width=0 height=0 screens=()
    for m in "${monitors[@]}"; do
      width=$((width + ${m%x*}))
      [ "${m#*x}" -gt "$height" ] && height=${m#*x}
      screens+=(-screen "${m}x$depth")
    done
    start_server Xvfb -screen 0 "${width}x${height}x24"
    xvfb_pid=$server_pid
    # Without RandR, which reports only the first screen, Wine reads Xinerama.
    start_server Xephyr "${screens[@]}" +xinerama -extension RANDR
    xephyr_pid=$server_pid
  else
    start_server Xvfb -screen 0 "${size}x$depth"
    xvfb_pid=$server_pid
  fi
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Without a window manager a full-screen popup would wait on close.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # On a palette display Wine's own drawing of windows bypasses the realized
  # palette unless the X server draws them.
  if [ "$depth" -le 8 ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v ClientSideGraphics /t REG_SZ /d N /f \
      >/dev/null 2>&1
  fi
  wineserver -w
fi
# Without Marlett the caption buttons show letters instead of their glyphs;
# Debian's fonts-wine has it, but Wine does not look there by itself.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi

case "${1:-}" in
  --boot-only) exit 0 ;;
  # Runs any command inside this environment (display, prefix, locale).
  --exec) shift; "$@" ;;
  *) wine "$@" ;;
esac
