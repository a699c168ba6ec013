#!/bin/bash
# Runs one scenario of the game's test client (inside scripts/wine-run); the
# client's own exit code decides. The shortcut must also have landed on the
# desktop inside the Wine root, never in the real home.
#   client-scenario.sh CLIENT_EXE SCENARIO ZENDARO_EXE OUTPUT_DIR
# ZENDARO_WINE_LOCALE (say pl_PL.UTF-8) runs both under that Unix locale.
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

"$WINE" "$@"
if [ "$2" = shortcut ]; then
  test -f "$HOME/Desktop/Zendaro.lnk" || { echo "FAIL: no $HOME/Desktop/Zendaro.lnk"; exit 1; }
  echo "shortcut: $HOME/Desktop/Zendaro.lnk is there"
fi
