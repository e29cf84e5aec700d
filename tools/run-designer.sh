#!/usr/bin/env bash
# Starts the form designer (BUILD_DIR/designer/TovixDesigner.exe) with tools/wine-display.sh.
# A program that imports a missing DLL is stopped by the loader before any of its code runs, with
# no useful message; so every DLL that the designer and the package import from outside the
# system (the framework DLL, the C++ runtime) is checked first, and a missing one is named.
#
# Usage: tools/run-designer.sh BUILD_DIR [PACKAGE.dll]
set -euo pipefail

tools=$(cd "$(dirname "$0")" && pwd)
build_dir=$(cd "$1" && pwd)
shift
folder="$build_dir/designer"
objdump=x86_64-w64-mingw32-objdump

missing=0
for module in "$folder/TovixDesigner.exe" "$folder/Ferrovane.dll" "$folder/TovixFramework.dll"; do
  if [ ! -f "$module" ]; then
    echo "Missing: $module (build the TovixDesigner target)" >&2
    missing=1
    continue
  fi
  for dll in $("$objdump" -p "$module" | sed -n 's/^\s*DLL Name: //p'); do
    case "$dll" in
      lib*.dll | Tovix*.dll | Ferrovane.dll)
        if [ ! -f "$folder/$dll" ]; then
          echo "Missing: $dll, which $(basename "$module") needs, is not in $folder" >&2
          missing=1
        fi ;;
    esac
  done
done
[ "$missing" = 0 ] || exit 1

cd "$folder"
exec "$tools/wine-display.sh" "$build_dir" designer-prefix /usr/lib/wine/wine64 TovixDesigner.exe "$@"
