#!/bin/bash
# The Wine part of make bench (scripts/bench), run inside scripts/wine-run:
# start-ups, idle cost and installs, each figure written to a file of OUT.
#   wine-part.sh OUT CLIENT BARE BOARD GAME TIMED SETUP RUNS IDLE_S
# TIMED is the game's start-up breakdown build, SETUP the setup program;
# either may be "" when this build has none.
set -uo pipefail

[ $# -eq 9 ] || { echo "usage: $0 OUT CLIENT BARE BOARD GAME TIMED SETUP RUNS IDLE_S" >&2; exit 2; }
out=$1 client=$2 bare=$3 board=$4 game=$5 timed=$6 setup=$7 runs=$8 idle_s=$9

# CPU time (utime + stime, in clock ticks) of a process.
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# This prefix's wineserver: the one whose folder is named after the
# prefix's device and inode (never one picked by name).
wineserver_pid() {
  local tag p
  tag=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  for p in /proc/[0-9]*; do
    case "$(readlink "$p/cwd" 2>/dev/null)" in */"$tag") echo "${p#/proc/}" ;; esac
  done
}

# The program's own process. Wine 8's loader becomes the program; Wine 10
# starts it from a start.exe of its own, in another process, found by
# name (the root's process space holds only this run's processes).
program_pid() {
  local name p
  if [ "$WINE_VERSION" != 10 ]; then echo "$1"; return; fi
  name=${2##*/}
  for p in /proc/[0-9]*; do
    case "$(tr '\0' ' ' <"$p/cmdline" 2>/dev/null)" in
      *"\\$name"*) echo "${p#/proc/}"; return ;;
    esac
  done
}

echo "bench: start-up, $runs runs each.." >&2
programs=("$game" "$bare" "$board")
[ -n "$timed" ] && programs+=("$timed")
"$WINE" "$client" startup "$runs" "${programs[@]}" >"$out/startup.txt" || exit 1

# Idle: the program rests in its loop for idle_s seconds after its window
# is up; its CPU and the wineserver's are read before and after.
for which in game bare; do
  echo "bench: idle $which, $idle_s s.." >&2
  exe=$game
  [ $which = bare ] && exe=$bare
  "$WINE" "$exe" &
  pid=$!
  "$WINE" "$client" ready $which 60 || exit 1
  program=$(program_pid $pid "$exe")
  [ -n "$program" ] || { echo "bench: no process for $exe" >&2; exit 1; }
  server=$(wineserver_pid)
  [ -n "$server" ] || { echo "bench: no wineserver for $WINEPREFIX" >&2; exit 1; }
  sleep 2
  p0=$(cpu "$program") s0=$(cpu "$server")
  sleep "$idle_s"
  p1=$(cpu "$program") s1=$(cpu "$server")
  "$WINE" "$client" close $which
  code=$?
  wait $pid
  echo "idle $which $((p1 - p0)) $((s1 - s0)) $(getconf CLK_TCK) $code" >>"$out/idle.txt"
done

if [ -f "$setup" ]; then
  echo "bench: install, $runs runs.." >&2
  "$WINE" "$client" install "$runs" "$setup" "$game" 'C:\zendaro-bench' \
    >"$out/install.txt" || exit 1
fi
exit 0
