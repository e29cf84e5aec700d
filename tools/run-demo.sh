#!/usr/bin/env bash
# Runs the demo from its staged folder (called inside tools/wine-display.sh). With a display the
# window opens for the user. On a virtual display nobody can look, so the demo walks its pages,
# saves a PNG of each into BUILD_DIR/demo-shots and exits; the pictures' paths are printed.
#
# Usage: tools/run-demo.sh BUILD_DIR
set -euo pipefail

build_dir=$(cd "$1" && pwd)
exe="$build_dir/stage/Demo/Bin/TovixDemo.exe"
wine=/usr/lib/wine/wine64

if [ "${TOVIX_VIRTUAL_DISPLAY:-0}" != 1 ]; then
  exec "$wine" "$exe"
fi

shots="$build_dir/demo-shots"
rm -rf "$shots"
mkdir -p "$shots"
# The demo names its files as Windows paths (Z:\...); print them as this machine's paths.
"$wine" "$exe" --shots "Z:${shots//\//\\}" | tr -d '\r' | sed -e 's|^Z:||' -e 's|\\|/|g' >"$shots/list.txt"
count=$(find "$shots" -name '*.png' | wc -l)
if [ "$count" -eq 0 ] || [ "$count" -ne "$(wc -l <"$shots/list.txt")" ]; then
  echo "The demo saved no pictures, or not the ones it named." >&2
  exit 1
fi
echo "Pictures of the demo's pages:"
cat "$shots/list.txt"
rm "$shots/list.txt"
