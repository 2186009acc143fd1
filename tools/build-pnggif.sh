#!/usr/bin/env bash
# Builds zlib, libpng and giflib as static libraries from Debian's source
# packages, once; later runs find the installed copy and return at once.
#   tools/build-pnggif.sh        cross-built for 32-bit Windows on the i486 (the product)
#   tools/build-pnggif.sh fuzz   native, with clang, the fuzz targets' sanitizers
#                                and coverage, so the fuzzer sees inside the decoders
# Only the decoding sources are compiled, each by the compiler directly: the
# libraries' own build systems would probe the build machine, and libpng's
# would add its SSE2 filter code, which neither the i486 nor Windows 95 runs.
set -euo pipefail
. "$(dirname "$0")/apt.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
flavour=${1:-i686}
case "$flavour" in
  i686 | fuzz) ;;
  *) echo "usage: $0 [i686|fuzz]" >&2; exit 2 ;;
esac
prefix="$deps/pnggif-$flavour"
stamp=$({ cat "$0"; [ "$flavour" = fuzz ] || cat "$root/cmake/mingw-i686.cmake"; } | sha1sum | cut -d' ' -f1)
[ -f "$prefix/lib/libpng.a" ] && [ -f "$prefix/lib/libgif.a" ] && [ -f "$prefix/lib/libz.a" ] &&
  [ "$(cat "$prefix/build.stamp" 2>/dev/null)" = "$stamp" ] && exit 0

mkdir -p "$deps/src"
cd "$deps/src"
for package in zlib libpng1.6 giflib; do
  ls -d "$package"-*/ >/dev/null 2>&1 && continue
  # Debian ships no sources list for deb-src by default.
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    apt_update
  fi
  apt_source "$package" || { apt_update; apt_source "$package"; }
done
zlib=$(ls -d "$deps"/src/zlib-*/ | head -n 1)
png=$(ls -d "$deps"/src/libpng1.6-*/ | head -n 1)
gif=$(ls -d "$deps"/src/giflib-*/ | head -n 1)

if [ "$flavour" = i686 ]; then
  cc=i686-w64-mingw32-gcc-win32
  ar=i686-w64-mingw32-ar
  flags=(-O2 -march=i486 "-ffile-prefix-map=$deps=.")
  note="i486"
else
  cc=clang
  ar=ar
  # Sanitizer reports abort, as in the targets themselves.
  flags=(-O1 -g -fsanitize=address,undefined -fno-sanitize-recover=undefined
         -fsanitize=fuzzer-no-link)
  note="clang, ASan, UBSan, coverage"
fi

build="$deps/pnggif-build-$flavour"
rm -rf "$build" "$prefix"
mkdir -p "$build/zlib" "$build/png" "$build/gif" "$prefix/lib" "$prefix/include"
# Compiles the named sources of one library into build/NAME and archives them.
library() {
  local name=$1 dir=$2 archive=$3 source
  shift 3
  for source in "$@"; do
    "$cc" "${flags[@]}" "${extra[@]}" -c "$dir/$source.c" -o "$build/$name/$source.o"
  done
  # Deterministic archives: no dates, owners or modes.
  (cd "$build/$name" && "$ar" rcsD "$prefix/lib/$archive" $(printf '%s.o ' "$@"))
}
log="$deps/pnggif-$flavour-build.log"
{
  extra=(-I"$zlib")
  # The compressing half is for the tests' PNG files; the saver links none of it.
  library zlib "$zlib" libz.a adler32 compress crc32 deflate inffast inflate inftrees trees zutil
  cp "$zlib/zlib.h" "$zlib/zconf.h" "$prefix/include/"
  # The default configuration without writing, the simplified and the
  # progressive interfaces and the integer and time conversions, which the saver never
  # calls but whose references would pull in the writer and gmtime.
  sed -E '/WRITE|SAVE_INT_32|SIMPLIFIED|PROGRESSIVE|CONVERT_tIME|TIME_RFC1123/d' \
    "$png/scripts/pnglibconf.h.prebuilt" >"$png/pnglibconf.h"
  # The one-argument setjmp, which every C runtime DLL has, as in the saver.
  extra=(-I"$zlib" -I"$png" -DUSE_NO_MINGW_SETJMP_TWO_ARGS -DPNG_INTEL_SSE_OPT=0 -DPNG_ARM_NEON_OPT=0 -DPNG_MIPS_MSA_OPT=0
         -DPNG_POWERPC_VSX_OPT=0)
  library png "$png" libpng.a png pngerror pngget pngmem pngread pngrio pngrtran pngrutil pngset \
    pngtrans
  cp "$png/png.h" "$png/pngconf.h" "$png/pnglibconf.h" "$prefix/include/"
  # crtdll.dll names the POSIX file functions with an underscore; the
  # saver never opens a GIF by name, but the library's object refers to them.
  extra=(-I"$gif")
  [ "$flavour" = fuzz ] || extra+=(-Dopen=_open -Dfdopen=_fdopen)
  library gif "$gif" libgif.a dgif_lib gif_err gifalloc gif_hash openbsd-reallocarray
  cp "$gif/gif_lib.h" "$prefix/include/"
} >"$log" 2>&1 || { tail -n 20 "$log" >&2; exit 1; }
echo "$stamp" >"$prefix/build.stamp"
echo "zlib, libpng and giflib built into $prefix ($note)"
