#!/usr/bin/env bash
# Runs wine-run.sh with two small file systems mounted for the run, for tests
# that fill a disk: a 4 MiB tmpfs and a 4 MiB ext2 image of 1 KiB blocks, each
# with 64 inodes. ZARUMO_SMALL_DISKS gives the driver "BLOCKSIZE FOLDER" for
# each (Wine answers GetDiskFreeSpace with the root's block size). One that
# cannot be mounted (no root, no loop devices) is left out, and said so.
# Usage: small-disks.sh PROGRAM [ARGS...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/zarumo-disks.XXXXXX")
mounted=()
cleanup() {
  # A process of the session that still holds a file lets go a moment later.
  for point in "${mounted[@]}"; do umount "$point" 2>/dev/null || umount -l "$point"; done
  rm -rf "$work"
}
trap cleanup EXIT

export ZARUMO_SMALL_DISKS=
add_disk() {
  mounted+=("$1")
  ZARUMO_SMALL_DISKS+="$(stat -f -c %S "$1") Z:${1//\//\\}\\ "
}
mkdir "$work/tmpfs" "$work/ext2"
if mount -t tmpfs -o size=4m,nr_inodes=64,mode=0777 zarumo-disk "$work/tmpfs" 2>/dev/null; then
  add_disk "$work/tmpfs"
else
  echo "small-disks: no tmpfs could be mounted here" >&2
fi
if truncate -s 4M "$work/ext2.img" && mkfs.ext2 -q -F -b 1024 -m 0 -N 64 "$work/ext2.img" &&
  mount -o loop "$work/ext2.img" "$work/ext2" 2>/dev/null; then
  add_disk "$work/ext2"
else
  echo "small-disks: no ext2 image could be mounted here" >&2
fi
"$root/tools/wine-run.sh" "$@"
