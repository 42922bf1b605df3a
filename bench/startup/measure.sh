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

# shellcheck source=tools/xsession.sh
source "$(dirname "$0")/../../tools/xsession.sh"

work=$(mktemp -d)
cleanup() {
    x_stop
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb on a free display, with a window manager that frames (reparents)
# windows, as on a desktop.
x_start "$work/x" wm || { echo "measure.sh: no X server with openbox" >&2; exit 1; }

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
