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
#   --dpis DPI,DPI...    the case (picture, which writes the setup window's
#                        client area to the file given as its last argument)
#                        at 96 dpi and then at each DPI, in a copy of the
#                        prefix, so the prefix of the other cases is never
#                        left at another DPI; each picture, resized back to
#                        the 96-dpi size, must match the 96-dpi one with a
#                        normalised cross-correlation of at least MIN_NCC,
#                        as a whole and in the header's strip across the
#                        top (HEADER_ROWS high at 96 dpi), where the
#                        licence's text, which wraps anew, counts for none;
#                        the strips softened alike (a blur of 2 pixels), so
#                        that the caption's strokes, a pixel thinner or
#                        wider at another size, count as the same letters
# With ZENDARO_SIGNED_SETUP set, the case runs once more with the signed
# release's setup as the client's second argument.
set -euo pipefail

size="" earlier="" full="" readonly="" native="" dpis=""
MIN_NCC=0.85 HEADER_ROWS=58
while [ $# -gt 0 ]; do
  case $1 in
    --drive) size=$2; shift 2 ;;
    --earlier-install) earlier=1; shift ;;
    --full) full=1; shift ;;
    --read-only) readonly=1; shift ;;
    --native-first) native=$2; shift 2 ;;
    --dpis) dpis=$2; shift 2 ;;
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

# Windows' XP-style scaling as Wine does it at any DPI: LogPixels read by
# every program at its start, and the bitmap MS Sans Serif made for that
# DPI (Wine's 120-dpi one above 96), so the dialog base units grow.
set_dpi() {
  local font=sseriff.fon
  [ "$1" = 96 ] && font=sserife.fon
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
    /v "MS Sans Serif 8,10,12,14,18,24" /t REG_SZ /d "$font" /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
}

# The copy is made once, from the prefix as the other cases leave it.
use_dpi_prefix() {
  local copy
  copy=$(dirname "$WINEPREFIX")/prefix-dpi
  if [ ! -f "$copy/.zendaro-dpi-copy" ]; then
    /usr/lib/wine/wineserver -w
    rm -rf "$copy"
    cp -a "$WINEPREFIX" "$copy"
    cp /usr/share/wine/fonts/sseriff.fon "$copy/drive_c/windows/Fonts/"
    touch "$copy/.zendaro-dpi-copy"
  fi
  export WINEPREFIX=$copy
}

if [ -n "$dpis" ]; then
  use_dpi_prefix
  rm -f "$WINEPREFIX"/drive_c/setup-at-*.bmp "$WINEPREFIX"/drive_c/header-at-*.bmp
  failed=0
  for dpi in 96 ${dpis//,/ }; do
    set_dpi "$dpi"
    echo "at $dpi dpi:"
    "$WINE" "$client" "$@" "C:\\setup-at-$dpi.bmp" || failed=$((failed + 1))
  done
  set_dpi 96
  shots=$WINEPREFIX/drive_c
  size=$(identify -format %wx%h "$shots/setup-at-96.bmp")
  strip=${size%x*}x$HEADER_ROWS+0+0
  convert "$shots/setup-at-96.bmp" -crop "$strip" +repage -blur 0x2 "$shots/header-at-96.bmp"
  # similar NAME A B: prints ok or FAIL with the pictures' correlation.
  similar() {
    local ncc
    ncc=$(compare -metric NCC "$2" "$3" null: 2>&1 | awk '{print $1}') || true
    if awk "BEGIN { exit !($ncc >= $MIN_NCC) }"; then
      echo "ok   $1 matches the 96-dpi one: NCC $ncc (at least $MIN_NCC)"
    else
      echo "FAIL $1 matches the 96-dpi one: NCC $ncc (at least $MIN_NCC)"
      failed=$((failed + 1))
    fi
  }
  for dpi in ${dpis//,/ }; do
    shot=$shots/setup-at-$dpi.bmp
    scaled=$(identify -format %wx%h "$shot")
    resized=$shots/setup-at-$dpi-resized.bmp
    convert "$shot" -resize "$size!" "$resized"
    convert "$resized" -crop "$strip" +repage -blur 0x2 "$shots/header-at-$dpi.bmp"
    # A window that did not grow shows only that the DPI was not set.
    if [ "${scaled%x*}" -le "${size%x*}" ]; then
      echo "FAIL at $dpi dpi the client area, $scaled, is larger than the 96-dpi one, $size"
      failed=$((failed + 1))
    fi
    similar "at $dpi dpi the client area, $scaled, resized to $size," "$shots/setup-at-96.bmp" "$resized"
    similar "and its header strip" "$shots/header-at-96.bmp" "$shots/header-at-$dpi.bmp"
  done
  exit "$failed"
fi

"$WINE" "$client" "$@"

if [ -n "${ZENDARO_SIGNED_SETUP:-}" ]; then
  [ -f "$ZENDARO_SIGNED_SETUP" ] || { echo "run-case: no $ZENDARO_SIGNED_SETUP" >&2; exit 1; }
  "$WINE" "$client" "$1" "$ZENDARO_SIGNED_SETUP" "${@:3}"
fi
