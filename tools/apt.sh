# Sourced by the set-up scripts: apt-get calls that survive a mirror caught
# mid-sync. An index of the wrong size makes `apt-get update` exit 100 while
# the other indexes are fine, and an install then meets packages whose
# versions no longer match; the release's own suite still installs.
#   ZARUMO_APT_GET   the apt-get to run (a stand-in in the scripts' test)
#   ZARUMO_APT_TRIES how often an update is tried (3)

apt_get() { "${ZARUMO_APT_GET:-apt-get}" "$@"; }

# The release's own suite, as apt names it: bookworm for Debian 12.
apt_release_suite() {
  (. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
}

# Updates the indexes; a partial failure is said in one line and ignored.
apt_update() {
  local try tries=${ZARUMO_APT_TRIES:-3} status=0 log
  log=$(mktemp)
  for ((try = 1; try <= tries; try++)); do
    status=0
    apt_get update -qq >"$log" 2>&1 || status=$?
    [ "$status" = 0 ] && break
    [ "$try" -lt "$tries" ] && sleep "${ZARUMO_APT_PAUSE:-5}"
  done
  if [ "$status" != 0 ]; then
    echo "apt-get update failed $tries times (exit $status: $(grep -m1 '^E:' "$log" | cut -c1-160));" \
      "going on with the indexes it could read" >&2
  fi
  rm -f "$log"
}

# Runs `apt-get VERB ARGS...`; when that fails, once more from the release's
# own suite, which a half-synced update suite cannot break.
apt_with_fallback() {
  local verb=$1 suite status=0 log
  shift
  log=$(mktemp)
  apt_get "$verb" "$@" >"$log" 2>&1 || status=$?
  if [ "$status" != 0 ]; then
    suite=$(apt_release_suite)
    if [ -n "$suite" ]; then
      echo "apt-get $verb failed (exit $status: $(grep -m1 '^E:' "$log" | cut -c1-160));" \
        "trying the release's own suite, $suite" >&2
      status=0
      apt_get "$verb" -t "$suite" "$@" >"$log" 2>&1 || status=$?
    fi
  fi
  [ "$status" = 0 ] || cat "$log" >&2
  rm -f "$log"
  return "$status"
}

apt_install() { apt_with_fallback install -y -qq --no-install-recommends "$@"; }
apt_source() { apt_with_fallback source -qq "$@"; }
