#!/usr/bin/env bash
# Runs wine-run.sh with small file systems mounted for the time of the run,
# for tests that fill a disk: a 4 MiB tmpfs and a 4 MiB ext2 image of 1 KiB
# blocks on a loop device, each with 64 inodes. The driver finds them in
# ZARUMO_SMALL_DISKS as "BLOCKSIZE=WINDOWSPATH" with ";" between them (Wine
# answers GetDiskFreeSpace with the root's block size, whatever the folder). Where
# one cannot be mounted (no root, no loop devices) it is left out and said
# so; the tests skip what they lack.
# Usage: small-disks.sh PROGRAM [ARGS...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/zarumo-disks.XXXXXX")
mounted=()
cleanup() {
  for point in "${mounted[@]}"; do
    # A process of the session that still holds a file lets go a moment later.
    umount "$point" 2>/dev/null || umount -l "$point"
  done
  rm -rf "$work"
}
trap cleanup EXIT

disks=()
add_disk() {
  mounted+=("$1")
  disks+=("$(stat -f -c %S "$1")=Z:${1//\//\\}\\")
}
mkdir "$work/tmpfs" "$work/ext2"
if mount -t tmpfs -o size=4m,nr_inodes=64,mode=0777 zarumo-disk "$work/tmpfs" 2>/dev/null; then
  add_disk "$work/tmpfs"
else
  echo "small-disks: no tmpfs could be mounted here" >&2
fi
if truncate -s 4M "$work/ext2.img" && mkfs.ext2 -q -F -b 1024 -m 0 -N 64 "$work/ext2.img" &&
  mount -o loop "$work/ext2.img" "$work/ext2" 2>/dev/null; then
  chmod 0777 "$work/ext2"
  add_disk "$work/ext2"
else
  echo "small-disks: no ext2 image could be mounted here" >&2
fi

export ZARUMO_SMALL_DISKS=$(IFS=';'; echo "${disks[*]}")
"$root/tools/wine-run.sh" "$@"
