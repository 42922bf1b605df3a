#!/bin/bash
# Start-up of kalvetra.exe against a bare Win32 window under wine: wall time
# from starting the program to its exit right after the first paint
# (kalvetra.exe --quit-after-paint), runs interleaved, median and minimum in ms.
# The wineserver is kept running, so its own start is not counted.
#   xvfb-run -a -s '-screen 0 1280x1024x24' bench/win32_startup/measure.sh \
#       kalvetra.exe win32_bare_window.exe [runs]
set -euo pipefail
kalvetra=$1 bare=$2 runs=${3:-10}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if command -v openbox >/dev/null && ! pgrep -x openbox >/dev/null; then
    openbox >/dev/null 2>&1 & wm=$!
    trap 'kill $wm' EXIT
    sleep 1
fi
wineserver -p 2>/dev/null || true  # persistent; may already run
wine "$bare" >/dev/null 2>&1  # warm-up: prefix, caches
wine "$kalvetra" --quit-after-paint >/dev/null 2>&1

ms() {  # command... -> elapsed milliseconds
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
k=() b=()
for ((i = 0; i < runs; i++)); do
    k+=("$(ms wine "$kalvetra" --quit-after-paint)")
    b+=("$(ms wine "$bare")")
done
report() {  # name values...
    local name=$1
    shift
    printf '%s\n' "$@" | sort -n | awk -v n="$name" '{v[NR]=$1} END {
        m = (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2
        printf "%-14s median %6.0f ms  min %5d ms  max %5d ms  (%d runs)\n", n, m, v[1], v[NR], NR}'
}
report kalvetra.exe "${k[@]}"
report bare "${b[@]}"
