#!/usr/bin/env bash
# Builds libjpeg-turbo's static library from Debian's source package, once;
# later runs find the installed copy and return at once.
#   tools/build-libjpeg.sh        cross-built for 32-bit Windows (the product)
#   tools/build-libjpeg.sh fuzz   native, with clang, the fuzz targets' sanitizers
#                                 and coverage, so the fuzzer sees inside the decoder
set -euo pipefail
. "$(dirname "$0")/apt.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
flavour=${1:-i686}
case "$flavour" in
  i686 | fuzz) ;;
  *) echo "usage: $0 [i686|fuzz]" >&2; exit 2 ;;
esac
prefix="$deps/libjpeg-$flavour"
# A changed toolchain (its processor flags) builds the library again.
stamp=$({ cat "$0"; [ "$flavour" = fuzz ] || cat "$root/cmake/mingw-i686.cmake"; } | sha1sum | cut -d' ' -f1)
[ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] &&
  [ "$(cat "$prefix/build.stamp" 2>/dev/null)" = "$stamp" ] && exit 0

mkdir -p "$deps/src"
cd "$deps/src"
if ! ls -d libjpeg-turbo-*/ >/dev/null 2>&1; then
  # Debian ships no sources list for deb-src by default.
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    apt_update
  fi
  apt_source libjpeg-turbo || { apt_update; apt_source libjpeg-turbo; }
fi
srcdir=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -n 1)
build="$deps/libjpeg-build"
options=()
if [ "$flavour" = i686 ]; then
  simd=ON
  command -v nasm >/dev/null || simd=OFF
  options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
           -DWITH_SIMD=$simd -DCMAKE_ASM_NASM_COMPILER=nasm
           -DCMAKE_C_FLAGS="-march=i486 -ffile-prefix-map=$deps=.")
  note="SIMD $simd"
else
  build="$deps/libjpeg-build-fuzz"
  # No SIMD: the sanitizers and the coverage see only C code. Sanitizer
  # reports abort, as in the targets themselves.
  flags="-g -fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link"
  options=(-DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$flags"
           -DWITH_SIMD=OFF)
  note="clang, ASan, UBSan, coverage"
fi

rm -rf "$build"
cmake -S "$srcdir" -B "$build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF "${options[@]}" \
  >"$deps/libjpeg-$flavour-configure.log" 2>&1
cmake --build "$build" --target jpeg-static >"$deps/libjpeg-$flavour-build.log" 2>&1
mkdir -p "$prefix/lib" "$prefix/include"
cp "$build/libjpeg.a" "$prefix/lib/libjpeg.a"
# NASM names each object's source by its full path in a symbol that nothing
# needs; without it the saver is the same whatever folder built it.
[ "$flavour" = fuzz ] || i686-w64-mingw32-objcopy --strip-unneeded "$prefix/lib/libjpeg.a"
cp "$srcdir/jpeglib.h" "$srcdir/jmorecfg.h" "$srcdir/jerror.h" "$build/jconfig.h" "$prefix/include/"
echo "$stamp" >"$prefix/build.stamp"
echo "libjpeg-turbo built into $prefix ($note)"
