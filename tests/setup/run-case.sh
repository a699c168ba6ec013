#!/bin/bash
# Runs one case of the setup test client inside scripts/wine-run, after
# preparing what only Linux can make: a read-only or a nearly full drive,
# mapped into Wine as S:.
#   run-case.sh CLIENT.EXE CASE ARGS...      (fault cases: CASE = fault, ARGS = KIND SETUP.EXE)
# The install case (ARGS = SETUP.EXE PLANT.DLL NAME,NAME...) plants DLLs
# under those names; Wine prefers its own built-in DLLs, and "n,b" for
# those names makes it look for a DLL file first, where Windows does: in
# the program's own folder. Wine's loader takes this from the Linux
# environment that the client and every program it starts inherit.
set -euo pipefail

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

# make_drive SIZE: a fresh RAM disk of SIZE as drive S:.
make_drive() {
  release_drive
  mkdir -p "$drive_dir"
  mount -t tmpfs -o "size=$1,mode=0755" tmpfs "$drive_dir"
  ln -sfn "$drive_dir" "$drive_link"
}

# An earlier install: a Zendaro.exe that must survive byte for byte.
earlier_install() {
  mkdir -p "$drive_dir/Zendaro"
  head -c 3000 /dev/urandom >"$drive_dir/Zendaro/Zendaro.exe"
}

if [ "$1" = fault ]; then
  case $2 in
    readonly) make_drive 1m; earlier_install; mount -o remount,ro "$drive_dir" ;;
    readonly-new) make_drive 1m; mount -o remount,ro "$drive_dir" ;;
    disk-full | disk-full-new)
      # Full but for 16 KiB, less than any program the setup could carry.
      make_drive 64k
      if [ "$2" = disk-full ]; then earlier_install; fi
      dd if=/dev/zero of="$drive_dir/filler" bs=4k 2>/dev/null || true
      truncate -s -16K "$drive_dir/filler"
      ;;
  esac
fi

if [ "$1" = install ]; then export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$4=n,b"; fi

"$WINE" "$client" "$@"

# ZENDARO_SIGNED_SETUP: the signed release's setup installs the same way.
if [ "$1" = install ] && [ -n "${ZENDARO_SIGNED_SETUP:-}" ]; then
  [ -f "$ZENDARO_SIGNED_SETUP" ] || { echo "run-case: no $ZENDARO_SIGNED_SETUP" >&2; exit 1; }
  "$WINE" "$client" install "$ZENDARO_SIGNED_SETUP" "$3" "$4"
fi
