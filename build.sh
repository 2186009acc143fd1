#!/usr/bin/env bash
# Installs what is missing, then builds build/zarumo.scr and its release
# archive in build/release, the Wine test driver and the native unit tests.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

tools/ensure-deps.sh
tools/build-libjpeg.sh
tools/build-pnggif.sh
tools/build-runtime.sh
tools/make-samples.sh

jobs=$(nproc)
# Every configure passes every option, so a changed option takes effect
# without deleting build/. A compiler is fixed when a tree is first
# configured: a changed toolchain file starts its tree afresh.
configure() {
  local tree=$1 toolchain=${2:-} stamp
  stamp=$( [ -n "$toolchain" ] && cat "$toolchain" cmake/mingw-i686.cmake | sha1sum || echo native)
  if [ -f "$tree/CMakeCache.txt" ] && [ "$(cat "$tree/toolchain.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$tree"
  fi
  cmake -S . -B "$tree" -G Ninja ${toolchain:+-DCMAKE_TOOLCHAIN_FILE="$toolchain"} "${@:3}" >/dev/null
  echo "$stamp" >"$tree/toolchain.stamp"
}
# The saver: win32-thread compiler, nothing but system DLLs.
configure build/win32 "$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DZARUMO_JPEG_PREFIX="$root/build/deps/libjpeg-i686" \
  -DZARUMO_PNGGIF_PREFIX="$root/build/deps/pnggif-i686" \
  -DZARUMO_RUNTIME_DIR="$root/build/deps/runtime-i486" \
  -DZARUMO_PRODUCT_DIR="$root/build"
cmake --build build/win32 -j "$jobs"
# "./build.sh product" stops here: tools/check-reproducible.sh builds the
# product a second time in another folder.
if [ "${1:-}" = product ]; then echo "Built $root/build/zarumo.scr"; exit 0; fi

# The Wine test driver, its doubles and the benchmark, around that saver.
configure build/driver "$root/cmake/mingw-i686-test-driver.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DZARUMO_JPEG_PREFIX="$root/build/deps/libjpeg-i686" \
  -DZARUMO_PNGGIF_PREFIX="$root/build/deps/pnggif-i686" \
  -DZARUMO_TEST_DRIVER=ON -DZARUMO_SAVER="$root/build/zarumo.scr"
cmake --build build/driver -j "$jobs"

configure build/native "" -DCMAKE_BUILD_TYPE=Debug
cmake --build build/native -j "$jobs"
echo "Built $root/build/zarumo.scr"
