#!/bin/bash
# Runs one scenario of the game's test client (inside scripts/wine-run); the
# client's own exit code decides. The shortcut must also have landed on the
# desktop inside the Wine root, never in the real home.
#   client-scenario.sh CLIENT_EXE SCENARIO ZENDARO_EXE OUTPUT_DIR
# ZENDARO_WINE_LOCALE (say pl_PL.UTF-8) runs both under that Unix locale.
# With ZENDARO_TEST_DPI set (a prefix of that variant's own), the board's
# 96-dpi picture is taken first, then the scenario runs at that DPI.
set -euo pipefail

# The layout scenario hides Internet Explorer's files for a while; a run
# that fails meanwhile must not leave them hidden from the other tests.
restore_browser() {
  find "$WINEPREFIX/drive_c" -maxdepth 3 -name 'iexplore.exe.zendaro-hidden' -print0 |
    while IFS= read -r -d '' f; do mv -f "$f" "${f%.zendaro-hidden}"; done
}
restore_browser
trap restore_browser EXIT

# Wine takes a program's ANSI code page from its Unix locale, and a Windows
# program's child gets its parent's: the locale is set here, for the client
# and the game it starts (the prefix was made under the default one).
[ -z "${ZENDARO_WINE_LOCALE:-}" ] || export LC_ALL=$ZENDARO_WINE_LOCALE

# set_dpi DPI FONT: the screen's DPI and the MS Sans Serif drawn for it
# (sserife.fon at 96 dpi, sseriff.fon at 120), as Windows has them, read
# by the wineserver started next.
set_dpi() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  rm -f "$fonts/sserife.fon" "$fonts/sseriff.fon"
  cp "/usr/share/wine/fonts/$2" "$fonts/"
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
    /v "MS Sans Serif 8,10,12,14,18,24" /t REG_SZ /d "$2" /f >/dev/null 2>&1
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    "$WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  done
  /usr/lib/wine/wineserver -w
}

if [ -n "${ZENDARO_TEST_DPI:-}" ]; then
  set_dpi 96 sserife.fon
  "$WINE" "$1" board "$3" "$4"
  set_dpi "$ZENDARO_TEST_DPI" sseriff.fon
fi
"$WINE" "$@"
if [ "$2" = shortcut ]; then
  test -f "$HOME/Desktop/Zendaro.lnk" || { echo "FAIL: no $HOME/Desktop/Zendaro.lnk"; exit 1; }
  echo "shortcut: $HOME/Desktop/Zendaro.lnk is there"
fi
