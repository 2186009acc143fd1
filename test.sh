#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, the Wine tests
# of the real saver, and a short run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

./build.sh
# A fresh Wine prefix for every run, so no test depends on what an earlier one left.
rm -rf build/wine

status=0
ctest --test-dir build/native --output-on-failure || status=1
ctest --test-dir build/win32 --output-on-failure || status=1
if [ -x tools/fuzz.sh ]; then
  tools/fuzz.sh "${ZARUMO_FUZZ_SECONDS:-10}" || status=1
fi
exit $status
