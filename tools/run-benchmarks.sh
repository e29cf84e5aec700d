#!/usr/bin/env bash
# Runs every benchmark program of a build under Wine (called inside tools/wine-session.sh).
set -euo pipefail
build_dir=$1
status=0
for exe in "$build_dir"/bench/bench_*.exe; do
  echo "== $(basename "$exe" .exe)"
  /usr/lib/wine/wine64 "$exe" || status=1
  echo
done
exit $status
