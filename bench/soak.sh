#!/usr/bin/env bash
# Long soak of the real window: a seeded random walk of ACTIONS user actions
# (default 200000) through a release build's soak_test, with the resident
# memory (VmRSS) read after the first 1000 actions and at the end. Fails when
# an invariant breaks or the memory grew by more than LIMIT_MB (default 5).
#
#   bench/soak.sh BUILD_DIR [ACTIONS] [SEED]
#   e.g. cmake --preset release && cmake --build build/release --target soak_test
#        bench/soak.sh build/release
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR [ACTIONS] [SEED]}
actions=${2:-200000}
seed=${3:-20240601}
limit_mb=${LIMIT_MB:-5}
exe="$build/tests/soak/soak_test"
[ -x "$exe" ] || { echo "soak.sh: $exe not found; build the soak_test target first" >&2; exit 2; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT

start=$(date +%s.%N)
status=0
"$exe" --actions "$actions" --seed "$seed" --rss | tee "$log" || status=$?
end=$(date +%s.%N)
[ "$status" -eq 0 ] || { echo "soak.sh: the walk failed (exit $status)" >&2; exit 1; }

first=$(awk '/^rss_kb after 1000 actions:/ {print $5}' "$log")
last=$(awk '/^rss_kb after/ {v = $5} END {print v}' "$log")
[ -n "$first" ] && [ -n "$last" ] || { echo "soak.sh: no memory readings in the output" >&2; exit 1; }

awk -v a="$first" -v b="$last" -v n="$actions" -v s="$start" -v e="$end" -v lim="$limit_mb" 'BEGIN {
    growth = (b - a) / 1024
    printf "soak.sh: %d actions in %.1f s; VmRSS %.1f MB after 1000 actions, %.1f MB at the end, growth %+.2f MB (limit %d MB)\n", n, e - s, a / 1024, b / 1024, growth, lim
    exit (growth > lim) ? 1 : 0
}'
