#!/usr/bin/env bash
# Cross-builds libjpeg-turbo's static library for 32-bit Windows from Debian's
# source package, once; later runs find the installed copy and return at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
prefix="$deps/libjpeg-i686"
[ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] && exit 0

mkdir -p "$deps/src"
cd "$deps/src"
if ! ls -d libjpeg-turbo-*/ >/dev/null 2>&1; then
  # Debian ships no sources list for deb-src by default.
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    apt-get update -qq
  fi
  apt-get source -qq libjpeg-turbo >/dev/null 2>&1 || { apt-get update -qq; apt-get source -qq libjpeg-turbo; }
fi
srcdir=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -n 1)

simd=ON
command -v nasm >/dev/null || simd=OFF
rm -rf "$deps/libjpeg-build"
cmake -S "$srcdir" -B "$deps/libjpeg-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=$simd \
  -DCMAKE_ASM_NASM_COMPILER=nasm >"$deps/libjpeg-configure.log" 2>&1
cmake --build "$deps/libjpeg-build" --target jpeg-static >"$deps/libjpeg-build.log" 2>&1
mkdir -p "$prefix/lib" "$prefix/include"
cp "$deps/libjpeg-build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$srcdir/jpeglib.h" "$srcdir/jmorecfg.h" "$srcdir/jerror.h" "$deps/libjpeg-build/jconfig.h" "$prefix/include/"
echo "libjpeg-turbo cross-built into $prefix (SIMD $simd)"
