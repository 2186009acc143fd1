#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, the checks of
# what the built saver carries, the Wine tests of the real saver, and a short
# run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

./build.sh
# A fresh Wine prefix for every run, so no test depends on what an earlier one left.
rm -rf build/wine

passed=0
failed=0
reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT
# Runs one ctest tree; its JUnit report gives the counts, its exit status the verdict.
run_ctest() {
  local report="$reports/$(basename "$1").xml" status=0
  ctest --test-dir "$1" --output-on-failure --output-junit "$report" || status=$?
  local counts
  counts=$(python3 - "$report" <<'PY' 2>/dev/null || echo "0 1"
import sys, xml.etree.ElementTree as ET
suite = ET.parse(sys.argv[1]).getroot()
tests = int(suite.get("tests", 0))
bad = int(suite.get("failures", 0)) + int(suite.get("errors", 0))
print(tests - bad, bad)
PY
)
  passed=$((passed + ${counts% *}))
  failed=$((failed + ${counts#* }))
  # A tree that failed without a failing test (a crash, a timeout of ctest itself) still fails.
  if [ "$status" != 0 ] && [ "${counts#* }" = 0 ]; then failed=$((failed + 1)); fi
}
run_ctest build/native
run_ctest build/win32
# The product built again, from a copy in another folder, is the same bytes.
if tools/check-reproducible.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
run_ctest build/driver
if tools/fuzz.sh "${ZARUMO_FUZZ_SECONDS:-10}"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi
echo
echo "zarumo: $passed passed, $failed failed"
[ "$failed" = 0 ]
