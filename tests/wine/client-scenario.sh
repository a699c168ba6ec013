#!/bin/bash
# Runs one scenario of the game's test client (inside scripts/wine-run); the
# client's own exit code decides. The shortcut must also have landed on the
# desktop inside the Wine root, never in the real home.
#   client-scenario.sh CLIENT_EXE SCENARIO ZENDARO_EXE OUTPUT_DIR
set -euo pipefail

"$WINE" "$@"
if [ "$2" = shortcut ]; then
  test -f "$HOME/Desktop/Zendaro.lnk" || { echo "FAIL: no $HOME/Desktop/Zendaro.lnk"; exit 1; }
  echo "shortcut: $HOME/Desktop/Zendaro.lnk is there"
fi
