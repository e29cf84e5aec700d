#!/usr/bin/env bash
# Runs a command inside the build's own Wine prefix with the prefix kept warm:
# makes the prefix on first use (headless: null graphics driver, no audio driver), starts a
# persistent wineserver and one long-lived GUI process, runs the command, then stops both.
#
# Usage: tools/wine-session.sh BUILD_DIR COMMAND [ARGS...]
set -euo pipefail

build_dir=$(cd "$1" && pwd)
shift
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
# No Gecko or Mono installers: the tests need neither and there is no network.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

if [ ! -f "$WINEPREFIX/.tovix-ready" ]; then
  echo "Making the test Wine prefix in $WINEPREFIX ..."
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >"$build_dir/wineboot.log" 2>&1 || { cat "$build_dir/wineboot.log"; exit 1; }
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
  /usr/bin/wineserver -w
  touch "$WINEPREFIX/.tovix-ready"
fi

keepalive_pid=""
stop() {
  if [ -n "$keepalive_pid" ]; then kill "$keepalive_pid" 2>/dev/null || true; fi
  /usr/bin/wineserver -k 2>/dev/null || true
  /usr/bin/wineserver -w 2>/dev/null || true
}
trap stop EXIT

/usr/bin/wineserver -p
# Start the keep-alive first and wait until its window exists, so that Wine's background
# processes are already running with discarded output; otherwise the first test starts them,
# they inherit its output pipe, and the test runner waits on that pipe until its timeout.
keepalive="$build_dir/tests/tovix_keepalive.exe"
ready="$build_dir/keepalive.ready"
rm -f "$ready"
if [ -f "$keepalive" ]; then
  (cd "$build_dir" && exec "$wine" "$keepalive" keepalive.ready) </dev/null >/dev/null 2>&1 &
  keepalive_pid=$!
  for _ in $(seq 1 600); do
    [ -f "$ready" ] && break
    sleep 0.1
  done
  [ -f "$ready" ] || { echo "The Wine keep-alive process did not start." >&2; exit 1; }
else
  # Without the keep-alive (a partial build), start the services with discarded output anyway.
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi

"$@"
