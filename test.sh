#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, the Wine tests
# of the real saver, and a short run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

./build.sh
# A fresh Wine prefix for every run, so no test depends on what an earlier one left.
rm -rf build/wine

passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs one ctest suite and adds its counts to the totals.
run_ctest() {
  local status=0
  ctest --test-dir "$1" --output-on-failure 2>&1 | tee "$log" || status=1
  local total bad
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n 1)
  if [ -z "$total" ]; then
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$status" = 0 ] || [ "$bad" != 0 ] || failed=$((failed + 1))
}
run_ctest build/native
run_ctest build/win32
if tools/fuzz.sh "${ZARUMO_FUZZ_SECONDS:-10}"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi
echo
echo "zarumo: $passed passed, $failed failed"
[ "$failed" = 0 ]
