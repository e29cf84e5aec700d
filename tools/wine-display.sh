#!/usr/bin/env bash
# Runs a command in a Wine prefix of its own that draws windows for real (Wine's X11 driver), for
# programs a person looks at: the demo and the form designer.
#
# With a reachable X display ($DISPLAY) the windows open there. Without one (a server, CI) a
# virtual X server is started for the command and stopped afterwards, and TOVIX_VIRTUAL_DISPLAY=1
# is exported so that the command can take pictures and exit instead of waiting for a user.
#
# Usage: tools/wine-display.sh BUILD_DIR PREFIX_NAME COMMAND [ARGS...]
#   The prefix is BUILD_DIR/PREFIX_NAME; it is made on first use.
set -euo pipefail

build_dir=$(cd "$1" && pwd)
prefix_name=$2
shift 2
export WINEPREFIX="$build_dir/$prefix_name"
export WINEDEBUG=-all
# No Gecko or Mono installers: nothing here needs them and there may be no network.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

xvfb_pid=""
stop() {
  /usr/bin/wineserver -k 2>/dev/null || true
  /usr/bin/wineserver -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop EXIT

display_reachable() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

start_virtual_display() {
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
      if xdpyinfo >/dev/null 2>&1; then return 0; fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "Could not start a virtual X server (Xvfb)." >&2
  exit 1
}

if display_reachable; then
  export TOVIX_VIRTUAL_DISPLAY=0
else
  start_virtual_display
  export TOVIX_VIRTUAL_DISPLAY=1
fi

if [ ! -f "$WINEPREFIX/.tovix-display-ready" ]; then
  echo "Making the Wine prefix in $WINEPREFIX ..."
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >"$build_dir/$prefix_name-wineboot.log" 2>&1 ||
    { cat "$build_dir/$prefix_name-wineboot.log"; exit 1; }
  # No audio driver: silences ALSA noise on machines without sound. Unmanaged windows: a hidden
  # or closed top-level window costs seconds otherwise under a bare X server.
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  /usr/bin/wineserver -w
  touch "$WINEPREFIX/.tovix-display-ready"
fi

"$@"
