#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build/fuzz, against libjpeg-turbo, zlib, libpng
# and giflib built the same way, and runs each in turn from the seeds in tests/fuzz/seeds.
# Usage: tools/fuzz.sh [seconds per target, default 10] [target ...]
# The corpora in build/fuzz/corpus grow from run to run (remove the folder for
# a run from the seeds alone); crashes are written to build/fuzz/artifacts and
# make the script fail. Prints, per target, the inputs run, the inputs a
# second, the edges covered and the corpus at the end.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
shift || true
build="$root/build/fuzz"
seeds="$root/tests/fuzz/seeds"
targets=(bitmap icon metafile extension jpeg exif png gif command_line settings message)
[ $# -gt 0 ] && targets=("$@")

probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }'
if ! echo "$probe" | clang++ -x c++ -fsanitize=fuzzer,address,undefined - -o /dev/null 2>/dev/null; then
  echo "clang cannot build libFuzzer targets (install clang and libclang-rt-14-dev)" >&2
  exit 1
fi
"$root/tools/build-libjpeg.sh" fuzz || exit 1
"$root/tools/build-pnggif.sh" fuzz || exit 1
CC=clang CXX=clang++ cmake -S "$root/tests/fuzz" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARUMO_FUZZ_JPEG_PREFIX="$root/build/deps/libjpeg-fuzz" \
  -DZARUMO_FUZZ_PNGGIF_PREFIX="$root/build/deps/pnggif-fuzz" >/dev/null || exit 1
cmake --build "$build" >/dev/null || { cmake --build "$build"; exit 1; }

status=0
summary=()
mkdir -p "$build/artifacts"
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  echo "fuzz_$t: ${seconds}s"
  if ! "$build/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
      -artifact_prefix="$build/artifacts/$t-" -print_final_stats=1 \
      "$corpus" "$seeds/$t" >"$build/$t.log" 2>&1; then
    echo "fuzz_$t FAILED: see $build/$t.log and $build/artifacts/" >&2
    tail -n 40 "$build/$t.log" >&2
    status=1
    summary+=("$(printf '%-13s FAILED' "$t")")
    continue
  fi
  # The closing status line: "#N DONE cov: E ft: F corp: K/SIZE lim: L exec/s: R ...".
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$build/$t.log" | tail -n 1)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$t.log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$build/$t.log" | tail -n 1)
  edges=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' <<<"$done_line")
  corp=$(sed -n 's/.* corp: \([0-9]*\/[0-9]*[a-zA-Z]*\) .*/\1/p' <<<"$done_line")
  summary+=("$(printf '%-13s %12s %10s %8s %14s' "$t" "$runs" "$rate" "$edges" "$corp")")
done

echo
printf '%-13s %12s %10s %8s %14s\n' target executions "exec/s" edges "corpus/bytes"
printf '%s\n' "${summary[@]}"
exit $status
