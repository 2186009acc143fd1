#!/usr/bin/env bash
# Builds the product a second time, from a copy of the sources in another
# folder with its own build/deps built there from the same source packages,
# and compares zarumo.scr and the release archive with this tree's byte for
# byte. Run it after ./build.sh; it leaves nothing behind.
#   tools/check-reproducible.sh         the runtime pieces rebuilt for the i486
#                                       are taken over from this tree's cache
#   tools/check-reproducible.sh --full  they are rebuilt there too (a minute
#                                       and a half more)
# With ZARUMO_KEEP set, the second tree stays under /tmp for a look at what differs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
header="$root/build/win32/generated/version.h"
[ -f "$root/build/zarumo.scr" ] && [ -f "$header" ] || {
  echo "$0: build the product first (./build.sh)" >&2
  exit 2
}
# The copy has no git: it is told the commit this tree was built from.
commit=$(sed -n 's/^#define ZARUMO_COMMIT "\(.*\)"$/\1/p' "$header")

work=$(mktemp -d /tmp/zarumo-again.XXXXXX)
trap '[ -n "${ZARUMO_KEEP:-}" ] || rm -rf "$work"' EXIT
second="$work/another/folder/zarumo"
mkdir -p "$second/build/deps"
if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf -) | tar -xf - -C "$second"
else
  tar -C "$root" --exclude=./build -cf - . | tar -xf - -C "$second"
fi
# The source packages as fetched, so that nothing is downloaded again.
cp -a "$root/build/deps/src" "$second/build/deps/"
[ "${1:-}" = --full ] || cp -a "$root/build/deps/runtime-i486" "$second/build/deps/"

start=$(date +%s)
(cd "$second" && ZARUMO_COMMIT="$commit" ./build.sh product) >"$work/build.log" 2>&1 || {
  tail -n 30 "$work/build.log" >&2
  echo "$0: the second build failed" >&2
  exit 1
}
seconds=$(($(date +%s) - start))

status=0
for file in zarumo.scr "release/$(basename "$root"/build/release/zarumo-*.zip)"; do
  first_sum=$(sha256sum <"$root/build/$file" | cut -d' ' -f1)
  second_sum=$(sha256sum <"$second/build/$file" | cut -d' ' -f1)
  if [ "$first_sum" = "$second_sum" ]; then
    echo "same:   $file $first_sum"
  else
    echo "DIFFER: $file $first_sum here, $second_sum in $second"
    cmp -l "$root/build/$file" "$second/build/$file" | head -n 5 || true
    status=1
  fi
done
for scr in "$root/build/zarumo.scr" "$second/build/zarumo.scr"; do
  if strings -a "$scr" | grep -F -e "$root" -e "$second" -e "$work"; then
    echo "PATHS:  $scr names a build folder"
    status=1
  fi
done
echo "second build in another folder: ${seconds} s, commit $commit"
exit "$status"
