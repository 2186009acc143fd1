#!/usr/bin/env bash
# Rebuilds for the i486 the pieces of the toolchain's runtime that the saver
# links, once, into build/deps/runtime-i486; later runs return at once. The
# prebuilt ones are compiled for the Pentium Pro (conditional moves, FCOMI),
# which no processor of Windows 95, 98, NT 4.0 or most 9x machines has.
#   lib/crt2.o, lib/libmingw32.a, lib/libmingwex.a  the start-up code and the
#       runtime's extras, from Debian's mingw-w64 source package
#   cxx/*.o  the members of the C++ library and of libgcc_eh that carry such
#       code, from gcc-12-source; they reach the link ahead of the libraries, because an
#       archive loses to the prebuilt copies inside the link group
# First each C++ member is built as the prebuilt one was (the compiler's
# default, Pentium Pro) and compared with it: the same instructions show that
# the rebuild is faithful.
set -euo pipefail
. "$(dirname "$0")/apt.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
out="$deps/runtime-i486"
stamp=$(sha1sum <"$0" | cut -d' ' -f1)
[ "$(cat "$out/build.stamp" 2>/dev/null)" = "$stamp" ] && exit 0

host=i686-w64-mingw32
cc=$host-gcc-win32
cxx=$host-g++-win32
gcclib=$(dirname "$($cc -print-libgcc-file-name)")
jobs=$(nproc)
# No build path and no time stamp in what is built.
repro="-ffile-prefix-map=$deps=. -Wa,--debug-prefix-map,$deps=."
export SOURCE_DATE_EPOCH=0 ZERO_AR_DATE=1
mkdir -p "$deps/src"
cd "$deps/src"

# Debian ships no sources list for deb-src by default.
if ! ls mingw-w64_*.dsc >/dev/null 2>&1 && ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
  ! grep -qs '^deb-src' /etc/apt/sources.list; then
  sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  apt_update
fi
# mingw-w64, with Debian's patches (dpkg-source applies them).
if ! ls -d mingw-w64-*/mingw-w64-crt >/dev/null 2>&1; then
  ls mingw-w64_*.dsc >/dev/null 2>&1 || apt_with_fallback source -qq --download-only mingw-w64
  dpkg-source -x mingw-w64_*.dsc >"$deps/mingw-w64-source.log" 2>&1
fi
mingw=$(ls -d "$deps"/src/mingw-w64-*/ | head -n 1)

# The C++ library's sources, from the source package the cross compiler
# is built from.
gccsrc="$deps/src/gcc-12"
if [ ! -d "$gccsrc/libiberty" ]; then
  ls gcc-12-source_*.deb >/dev/null 2>&1 || apt_with_fallback download -qq gcc-12-source
  rm -rf "$gccsrc" gcc-12-deb && mkdir -p "$gccsrc"
  dpkg-deb --fsys-tarfile gcc-12-source_*.deb | tar -x --wildcards -C "$deps/src" \
    --transform 's,^\./usr/src/gcc-12,gcc-12-deb,' './usr/src/gcc-12/gcc-*.tar.*'
  tar -xf gcc-12-deb/gcc-*.tar.* -C "$gccsrc" --strip-components=1 --wildcards \
    '*/libstdc++-v3/src/*' '*/libstdc++-v3/libsupc++/*' '*/libstdc++-v3/config/*' \
    '*/libgcc/*' '*/libiberty/*' '*/include/*'
  rm -rf gcc-12-deb
fi

rm -rf "$out" "$deps/runtime-build"
mkdir -p "$out/lib" "$out/cxx" "$deps/runtime-build/crt"

# The runtime: only the four pieces the saver links (crtdll.dll's import
# library carries code too).
(
  cd "$deps/runtime-build/crt"
  "$mingw/mingw-w64-crt/configure" --host=$host --prefix=/nonexistent --disable-lib64 \
    --enable-lib32 CC=$cc CFLAGS="-O2 -march=i486 $repro" >configure.log 2>&1
  mkdir -p lib32
  make -j "$jobs" lib32/crt2.o lib32/libmingw32.a lib32/libmingwex.a lib32/libcrtdll.a >make.log 2>&1
  cp lib32/crt2.o lib32/libmingw32.a lib32/libmingwex.a lib32/libcrtdll.a "$out/lib/"
)

# The C++ members: archive, source and the flags of the library's own build.
cxxflags="-O2 -g -fno-implicit-templates -ffunction-sections -fdata-sections -I$gccsrc/libgcc"
members=(
  "string-inst libstdc++ src/c++11/string-inst.cc -std=gnu++11"
  "cow-string-inst libstdc++ src/c++11/cow-string-inst.cc -std=gnu++11"
  "random libstdc++ src/c++11/random.cc -std=gnu++11"
  "tree libstdc++ src/c++98/tree.cc -std=gnu++98"
  "new_op libsupc++ libsupc++/new_op.cc -std=gnu++17"
  "eh_alloc libsupc++ libsupc++/eh_alloc.cc -std=gnu++17"
  "eh_catch libsupc++ libsupc++/eh_catch.cc -std=gnu++17"
  "eh_personality libsupc++ libsupc++/eh_personality.cc -std=gnu++17"
  "eh_terminate libsupc++ libsupc++/eh_terminate.cc -std=gnu++17"
)
# The demangler, which the terminate handler calls: libiberty's, as the C++
# library builds it.
demangleflags="-O2 -g -DIN_GLIBCPP_V3 -DHAVE_STDLIB_H -DHAVE_STRING_H -I$gccsrc/libiberty
  -I$gccsrc/include"
# libgcc_eh's unwinder and thread-local storage, which every thrown exception
# reaches. Their build-time headers are stand-ins: what they need of them is
# the C library, two assertions, the generic unwind interface and the win32
# thread model.
shim="$deps/runtime-build/shim"
mkdir -p "$shim"
printf '%s\n' '#include <stddef.h>' '#include <stdlib.h>' '#include <string.h>' '#include <limits.h>' \
  '#define gcc_assert(EXPR) ((void)(!(EXPR) ? abort(), 0 : 0))' '#define gcc_unreachable() (abort())' \
  >"$shim/tsystem.h"
printf '%s\n' '#define DWARF_REG_TO_UNWIND_COLUMN(REGNO) (REGNO)' >"$shim/tm.h"
for h in tconfig coretypes libgcc_tm; do : >"$shim/$h.h"; done
echo '#include "config/i386/gthr-win32.h"' >"$shim/gthr-default.h"
echo '#include "config/i386/w32-unwind.h"' >"$shim/md-unwind-support.h"
cp "$gccsrc/libgcc/unwind-generic.h" "$shim/unwind.h"
libgccflags="-O2 -g -fexceptions -I$shim -I$gccsrc/libgcc -I$gccsrc/include -DIN_GCC -DIN_LIBGCC2
  -fbuilding-libgcc -Wno-builtin-declaration-mismatch"

instructions() { $host-objdump -d --no-show-raw-insn "$1" | sed -n 's/^ *[0-9a-f]*:\t//p' | sed 's/ *#.*//; s/<[^>]*>//' ; }
mismatch=()
cd "$deps/runtime-build"
# rebuild NAME ARCHIVE COMPILER SOURCE FLAGS...
rebuild() {
  local name=$1 archive=$2 compiler=$3 src=$4
  shift 4
  $compiler "$@" $repro -c "$src" -o "default-$name.o"
  $host-ar x "$gcclib/$archive.a" "$name.o" && mv "$name.o" "prebuilt-$name.o"
  cmp -s <(instructions "default-$name.o") <(instructions "prebuilt-$name.o") || mismatch+=("$name")
  $compiler "$@" -march=i486 $repro -c "$src" -o "$out/cxx/$name.o"
}
for m in "${members[@]}"; do
  read -r name archive file std <<<"$m"
  rebuild "$name" "$archive" "$cxx" "$gccsrc/libstdc++-v3/$file" $std $cxxflags
done
rebuild cp-demangle libstdc++ "$cc" "$gccsrc/libiberty/cp-demangle.c" $demangleflags
for name in unwind-dw2 unwind-dw2-fde emutls; do
  rebuild $name libgcc_eh "$cc" "$gccsrc/libgcc/$name.c" $libgccflags
done
if [ ${#mismatch[@]} -gt 0 ]; then
  echo "rebuilt for the Pentium Pro, these differ from the prebuilt members: ${mismatch[*]}" >&2
  exit 1
fi
echo "$stamp" >"$out/build.stamp"
echo "runtime rebuilt for the i486 into $out"
