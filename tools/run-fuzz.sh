#!/usr/bin/env bash
# The fuzz suites with many more inputs than `make test` runs (called inside tools/wine-session.sh):
#   tools/wine-session.sh build tools/run-fuzz.sh build [scale]
# scale multiplies every suite's inputs (default 50); the inputs are seeded, so a run repeats.
set -euo pipefail
build_dir=$1
scale=${2:-50}
TOVIX_FUZZ_SCALE=$scale /usr/lib/wine/wine64 "$build_dir/tests/test_fuzz.exe" --gtest_color=no
