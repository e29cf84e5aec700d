#!/usr/bin/env bash
# Installs the Debian packages given as arguments that are not installed yet.
# Quick when everything is present; uses sudo when not run as root.
set -euo pipefail

missing=()
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# No recommended packages: they would add fonts, and text metrics must stay fixed.
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
