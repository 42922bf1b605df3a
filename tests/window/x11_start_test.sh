#!/usr/bin/env bash
# Starts the program under a real X server: a window titled exactly "Kalvetra"
# must map with the fixed client width, and "Plik" > "Koniec" must end it.
# Usage: x11_start_test.sh PATH/TO/kalvetra
set -euo pipefail

program=${1:?usage: $0 PATH/TO/kalvetra}
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
command -v xdotool >/dev/null || { echo "FAIL: xdotool is not installed"; exit 1; }

# shellcheck source=tools/xsession.sh
source "$(dirname "$0")/../../tools/xsession.sh"

work=$(mktemp -d)
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    x_stop
    rm -rf "$work"
}
trap cleanup EXIT

x_start "$work/x" || { echo "FAIL: no X server"; exit 1; }

"$program" >"$work/app.log" 2>&1 &
app_pid=$!

windows=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kalvetra$') || windows=""
window=${windows%%$'\n'*}
if [ -z "$window" ]; then
    echo "FAIL: no visible window titled \"Kalvetra\""
    cat "$work/app.log"
    exit 1
fi
title=$(xdotool getwindowname "$window")
[ "$title" = "Kalvetra" ] || { echo "FAIL: title is \"$title\""; exit 1; }

eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window \"$title\" ${WIDTH}x${HEIGHT} at $X,$Y on $DISPLAY"
[ "$WIDTH" -eq 682 ] || { echo "FAIL: client width $WIDTH, expected 682"; exit 1; }
# Menu bar plus the 331-pixel client area.
[ "$HEIGHT" -gt 331 ] || { echo "FAIL: client height $HEIGHT too small"; exit 1; }

# "Plik" is the menu bar's first entry; "Koniec" the last item of its popup,
# the one window of the program that was not there before the click.
program_windows() { xdotool search --onlyvisible --pid "$app_pid" --class kalvetra 2>/dev/null | sort || true; }
before=$(program_windows)
xdotool mousemove --sync $((X + 12)) $((Y + 8)) click 1
popup=""
for _ in $(seq 50); do
    popup=$(comm -13 <(echo "$before") <(program_windows) | sed -n 1p)
    [ -n "$popup" ] && break
    sleep 0.1
done
[ -n "$popup" ] || { echo "FAIL: the menu \"Plik\" did not open"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$popup")"
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT * 3 / 4)) click 1

for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: \"Koniec\" did not end the program"
    exit 1
fi
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || { echo "FAIL: the program exited with $status"; cat "$work/app.log"; exit 1; }
echo "PASS: window mapped, \"Koniec\" ended the program"
