#!/usr/bin/env bash
# Installs what is missing, then builds build/zarumo.scr, the Wine test driver
# and the native unit tests.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

tools/ensure-deps.sh
tools/build-libjpeg.sh
tools/make-samples.sh

jobs=$(nproc)
if [ ! -f build/win32/build.ninja ]; then
  cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DZARUMO_JPEG_PREFIX="$root/build/deps/libjpeg-i686" \
    -DZARUMO_PRODUCT_DIR="$root/build" >/dev/null
fi
cmake --build build/win32 -j "$jobs"

if [ ! -f build/native/build.ninja ]; then
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build build/native -j "$jobs"
echo "Built $root/build/zarumo.scr"
