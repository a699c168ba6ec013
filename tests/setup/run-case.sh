#!/bin/bash
# Runs one case of the setup test client inside scripts/wine-run, after
# preparing what only Linux can make, as the options say.
#   run-case.sh [OPTIONS] CLIENT.EXE CASE ARGS...
#   --drive SIZE         a fresh RAM disk of SIZE as drive S:
#   --earlier-install    on it, a Zendaro.exe that must survive byte for byte
#   --full               then filled up to the last 16 KiB
#   --read-only          then remounted read-only
#   --native-first NAME,NAME...
#                        Wine looks for these DLLs as files first, where
#                        Windows does (in the program's own folder), rather
#                        than taking its built-in ones: "n,b" for each, taken
#                        by Wine's loader from the Linux environment that the
#                        client and every program it starts inherit
# With ZENDARO_SIGNED_SETUP set, the case runs once more with the signed
# release's setup as the client's second argument.
set -euo pipefail

size="" earlier="" full="" readonly="" native=""
while [ $# -gt 0 ]; do
  case $1 in
    --drive) size=$2; shift 2 ;;
    --earlier-install) earlier=1; shift ;;
    --full) full=1; shift ;;
    --read-only) readonly=1; shift ;;
    --native-first) native=$2; shift 2 ;;
    --*) echo "run-case: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[ $# -ge 2 ] || { echo "usage: $0 [OPTIONS] CLIENT.EXE CASE ARGS..." >&2; exit 2; }
client=$1
shift
drive_dir=$(dirname "$WINEPREFIX")/drive-s
drive_link=$WINEPREFIX/dosdevices/s:

release_drive() {
  rm -f "$drive_link"
  # Nothing of this prefix may still hold a file on the drive.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
  if mountpoint -q "$drive_dir"; then umount "$drive_dir" || umount -l "$drive_dir"; fi
}
trap release_drive EXIT

if [ -n "$size" ]; then
  release_drive
  mkdir -p "$drive_dir"
  mount -t tmpfs -o "size=$size,mode=0755" tmpfs "$drive_dir"
  ln -sfn "$drive_dir" "$drive_link"
  if [ -n "$earlier" ]; then
    mkdir -p "$drive_dir/Zendaro"
    head -c 3000 /dev/urandom >"$drive_dir/Zendaro/Zendaro.exe"
  fi
  if [ -n "$full" ]; then
    dd if=/dev/zero of="$drive_dir/filler" bs=4k 2>/dev/null || true
    truncate -s -16K "$drive_dir/filler"
  fi
  if [ -n "$readonly" ]; then mount -o remount,ro "$drive_dir"; fi
elif [ -n "$earlier$full$readonly" ]; then
  echo "run-case: --earlier-install, --full and --read-only need --drive" >&2
  exit 2
fi
if [ -n "$native" ]; then export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$native=n,b"; fi

"$WINE" "$client" "$@"

if [ -n "${ZENDARO_SIGNED_SETUP:-}" ]; then
  [ -f "$ZENDARO_SIGNED_SETUP" ] || { echo "run-case: no $ZENDARO_SIGNED_SETUP" >&2; exit 1; }
  "$WINE" "$client" "$1" "$ZENDARO_SIGNED_SETUP" "${@:3}"
fi
