#!/bin/bash
# Runs the monkey (inside scripts/wine-run). With RECORDING, the null
# sink's monitor is recorded into it from before the game starts, for
# RECORD_SECONDS (default 30).
#   monkey-runs.sh RECORDING|"" MONKEY_EXE ZENDARO_EXE RUNS SEED LONGEST_RUN_SECONDS
set -uo pipefail

recording=$1
shift
if [ -n "$recording" ]; then
  # The recording ends with SIGINT: parec drops its buffered tail on SIGTERM.
  timeout -s INT "${RECORD_SECONDS:-30}" parec --device=null.monitor --format=u8 --rate=11025 \
    --channels=1 --raw --latency-msec=20 >"$recording" &
  recorder=$!
  # Silence from the sink once the recording runs; then the game starts.
  for _ in $(seq 200); do [ -s "$recording" ] && break; sleep 0.05; done
  sleep 0.2
fi
code=0
"$WINE" "$@" || code=$?
if [ -n "$recording" ]; then
  kill -INT "$recorder" 2>/dev/null || true
  wait "$recorder" || true
fi
exit $code
