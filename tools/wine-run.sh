#!/usr/bin/env bash
# Runs a Windows program under wine in a prefix made by tools/wine-prefix.sh;
# CMake's emulator for the cross-compiled tests.
#   WINEPREFIX  the prefix (default: build/windows/wine beside this checkout)
# Without a DISPLAY, windows go to a private Xvfb server, started on first
# use; it stays for the prefix's later runs (a wine session keeps its
# desktop on it) until stopped by its PID in $WINEPREFIX/.display.pid.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$here/../build/windows/wine}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
[ -f "$WINEPREFIX/.kalvetra-ready" ] || "$here/wine-prefix.sh" "$WINEPREFIX" >&2
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  exec 9>"$WINEPREFIX/.display.lock"
  flock 9
  n=$(cat "$WINEPREFIX/.display" 2>/dev/null || true)
  if [ -z "$n" ] || [ ! -S "/tmp/.X11-unix/X$n" ]; then
    exec 8<> <(:)
    # Not holding the lock: Xvfb outlives this script.
    Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 9>&- &
    echo $! >"$WINEPREFIX/.display.pid"
    read -r -t 10 n <&8 || { echo "wine-run: Xvfb did not start" >&2; exit 1; }
    echo "$n" >"$WINEPREFIX/.display"
    exec 8<&-
  fi
  exec 9>&-
  export DISPLAY=":$n"
fi
# Keeps wineserver up between the tests' many short runs. When this starts
# it, wine's own services start here too, detached from the caller's
# streams: a test runner waits for every holder of a test's output to end.
# One start at a time, and nobody runs a program while another run's
# wineboot is still bringing the session up; the lock is not passed on to
# the server and services that outlive this script.
exec 7>"$WINEPREFIX/.session.lock"
flock 7
if wineserver -p30 </dev/null >/dev/null 2>&1 7>&-; then
  wine wineboot </dev/null >/dev/null 2>&1 7>&- || true
fi
exec 7>&-
exec wine "$@"
