#!/usr/bin/env bash
# Start-up benchmark: the program against a plain-Qt baseline of the same
# window, alternately, on a private Xvfb with openbox. For each run, the time
# from starting the process to the map of its main window on the X server, and
# its peak resident memory then (see startup_timer.cpp). An empty top-level
# widget runs alongside, for scale.
#
#   bench/startup/measure.sh BUILD_DIR [RUNS]
#   e.g. cmake --preset release
#        cmake --build build/release --target kalvetra startup_baseline startup_timer
#        bench/startup/measure.sh build/release 20
#
# Goals: start-up median at most 1.15 times the baseline's, peak memory at
# most 3 MB above it. The verdict is printed; the exit status only says
# whether the measurement itself worked.
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR [RUNS]}
runs=${2:-20}
program="$build/window/kalvetra"
baseline="$build/bench/startup_baseline"
timer="$build/bench/startup_timer"
for f in "$program" "$baseline" "$timer"; do
    [ -x "$f" ] || { echo "measure.sh: $f not found; build kalvetra, startup_baseline and startup_timer" >&2; exit 2; }
done
for tool in Xvfb openbox xprop; do
    command -v "$tool" >/dev/null || { echo "measure.sh: $tool is not installed (tools/install-deps.sh)" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "measure.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# A window manager that frames (reparents) windows, as on a desktop.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "measure.sh: openbox did not start" >&2; cat "$work/openbox.log" >&2; exit 1; }

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores; load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "display $DISPLAY (Xvfb 1024x768x24, openbox), $runs runs each, alternating"
"$timer" --runs "$runs" --warmup 3 \
    --program kalvetra Kalvetra "$program" \
    --program baseline Kalvetra-baseline "$baseline" \
    --program empty Kalvetra-empty "$baseline --empty" | tee "$work/out"

awk '/^kalvetra \/ baseline: start-up ratio of medians/ {
    ratio = $(NF - 5) + 0
    diff = $(NF - 1) + 0
    printf "goal start-up <= 1.15x baseline: %s (%.3f)\n", ratio <= 1.15 ? "met" : "MISSED", ratio
    printf "goal peak memory <= baseline + 3 MB: %s (%+.2f MB)\n", diff <= 3 ? "met" : "MISSED", diff
}' "$work/out"
