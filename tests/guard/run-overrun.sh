#!/bin/bash
# Runs the overrun program (inside scripts/wine-run) and checks that each
# run prints a seeded guard and ends with the guard's exit code, not by
# returning into the overrun bytes, and that two runs' guards differ.
#   run-overrun.sh PROGRAM.exe stack_guard.h
set -euo pipefail
program=$1
header=$2

# The exit code and the unseeded guard, as the programs' code states them.
define() { sed -n "s/^#define $1 \\([0-9A-Fa-fx]*\\)\\(UL\\)\\?\$/\\1/p" "$header"; }
exit_code=$(define STACK_OVERRUN_EXIT_CODE)
unseeded=$(define STACK_GUARD_UNSEEDED)
[ -n "$exit_code" ] && [ -n "$unseeded" ] || { echo "FAIL: $header states no exit code or unseeded guard" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# cmd reports the whole exit code, where Wine's loader gives its low byte.
printf '@echo off\r\n"Z:%s"\r\necho exit %%ERRORLEVEL%%\r\n' "${program//\//\\}" >"$work/run.bat"

# A program that runs on past the overrun may not end at all (seen under
# Wine 8: its unwinding through the overwritten frames never stopped).
runs=2 limit=60
# Under QEMU the emulated 32-bit Wine reports the fail-fast instruction
# (int 0x29) as an illegal instruction (seen: 0xC000001D); a run that
# returned into the overrun bytes ends with an access violation instead.
expected=$exit_code
if [ "${WINE_VERSION:-}" = 8emu ]; then
  runs=1 limit=480 # a start takes a minute there, and more beside other emulated tests
  expected=0xC000001D
fi
# An unhandled exception must end the program, not wait for Wine's
# debugger, which under emulation takes longer than the limit.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
failed=0
guards=()
for run in $(seq $runs); do
  (cd "$work" && timeout $limit "$WINE" cmd /c run.bat) >"$work/out$run.txt" 2>"$work/err$run.txt" || true
  tr -d '\r' <"$work/out$run.txt" >"$work/run$run.txt"
  sed 's/^/  /' "$work/run$run.txt"
  guard=$(sed -n 's/^guard \([0-9a-f]*\)$/\1/p' "$work/run$run.txt")
  code=$(sed -n 's/^exit \(-\?[0-9]*\)$/\1/p' "$work/run$run.txt")
  if [ -z "$guard" ] || [ $((16#$guard)) -eq $((unseeded)) ]; then
    echo "FAIL: run $run: no seeded guard printed" >&2
    failed=1
  fi
  if [ -z "$code" ] || [ $((code & 0xFFFFFFFF)) -ne $((expected)) ]; then
    printf 'FAIL: run %s: exit code %s, not %s\n' "$run" "${code:-none}" "$expected" >&2
    failed=1
  fi
  guards+=("$guard")
done
if [ $runs = 2 ] && [ "${guards[0]}" = "${guards[1]}" ]; then
  echo "FAIL: both runs had the guard ${guards[0]}" >&2
  failed=1
fi
[ $failed = 0 ] && echo "PASS: $runs run(s) of $program"
exit $failed
