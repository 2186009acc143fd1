#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks for building, running and testing
# the saver; does nothing slow when everything is there.
set -euo pipefail
. "$(dirname "$0")/apt.sh"

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake ninja-build g++ g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686 nasm \
           dpkg-dev libgtest-dev googletest libjpeg62-turbo-dev libjpeg-turbo-progs libpng-dev libgif-dev zlib1g-dev \
           wine wine64 wine32:i386 xvfb xserver-xephyr libxinerama1:i386 xdotool x11-utils locales fonts-ipafont-gothic \
           imagemagick icoutils python3 python3-pil clang libclang-rt-14-dev fonts-wine e2fsprogs mount; do
  have_pkg "$pkg" || need+=("$pkg")
done

if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages: ${need[*]} (run as root, or install them with apt-get)" >&2
    exit 1
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  apt_install "${need[@]}"
fi

# Wine must see code page 932: the Japanese UTF-8 locale has to exist.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  if [ "$(id -u)" != 0 ]; then
    echo "The ja_JP.UTF-8 locale is missing (run as root)" >&2
    exit 1
  fi
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
