#!/usr/bin/env bash
# The set-up's apt-get calls against a stand-in that fails as a mirror caught
# mid-sync does: update exits 100 on one index, an install or source fetch
# exits 100 unless it names the release's own suite.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "$*" >>"$APT_CALLS"
case "$1" in
  update) echo "E: Failed to fetch .../Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2; exit 100 ;;
  install | source) [ "$2" = -t ] && exit 0
    echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100 ;;
esac
STANDIN
chmod +x "$work/apt-get"
export ZARUMO_APT_GET="$work/apt-get" APT_CALLS="$work/calls" ZARUMO_APT_PAUSE=0
. "$here/../../tools/apt.sh"
suite=$(apt_release_suite)
failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }

said=$(apt_update 2>&1); status=$?
check "a failing update is tried three times" '[ "$(grep -c "^update" "$APT_CALLS")" = 3 ]'
check "a failing update does not stop the set-up" '[ "$status" = 0 ]'
check "a failing update says so in one line" '[ "$(wc -l <<<"$said")" = 1 ] && grep -q "unexpected size" <<<"$said"'

: >"$APT_CALLS"
said=$(apt_install wine32:i386 2>&1); status=$?
check "an install falls back to the release suite" '[ "$status" = 0 ] && grep -q "^install -t $suite -y .* wine32:i386" "$APT_CALLS"'
check "the fallback is said in one line" '[ "$(wc -l <<<"$said")" = 1 ] && grep -q "$suite" <<<"$said"'

: >"$APT_CALLS"
apt_source libjpeg-turbo 2>/dev/null; status=$?
check "a source fetch falls back to the release suite" '[ "$status" = 0 ] && grep -q "^source -t $suite -qq libjpeg-turbo" "$APT_CALLS"'

# A failure the release suite cannot mend still fails, with apt's own words.
sed -i 's/\[ "\$2" = -t \] && exit 0/:/' "$work/apt-get"
said=$(apt_install nothing-such 2>&1); status=$?
check "an install that fails twice fails" '[ "$status" = 100 ] && grep -q "held broken packages" <<<"$said"'

echo "$((7 - failures)) passed, $failures failed"
[ "$failures" = 0 ]
