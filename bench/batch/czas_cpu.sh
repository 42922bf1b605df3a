#!/usr/bin/env bash
# CPU time per row of kalvetra-cli convert, for comparing builds on a shared
# machine where wall time moves with the other load: runs each given binary
# in turn, N rounds, on the same file, and prints per binary the minimum and
# median of (user + sys) / rows and the median wall rows/s.
#
#   bench/batch/czas_cpu.sh FILE N BINARY...
#
# ZAJETY=1 keeps one core busy (yes > /dev/null) during the runs. FILE is a
# file of generuj_csv (header "emf_mV,cold_C"). Needs /usr/bin/time.
set -euo pipefail

plik=$1
rundy=$2
shift 2
wiersze=$(($(wc -l <"${plik}") - 1))
tmp=$(mktemp -d)
trap 'rm -rf "${tmp}"; [ -z "${yes_pid:-}" ] || kill "${yes_pid}"' EXIT
if [ "${ZAJETY:-0}" = 1 ]; then
    yes >/dev/null &
    yes_pid=$!
fi
echo "== $(date -u +%FT%TZ), load $(cut -d' ' -f1-3 /proc/loadavg), ${wiersze} rows, busy core: ${ZAJETY:-0}"
for _ in $(seq "${rundy}"); do
    i=0
    for bin in "$@"; do
        /usr/bin/time -f '%U %S %e' -o "${tmp}/czas" "${bin}" convert K --to temp --cold-column 2 \
            --header "${plik}" >"${tmp}/wynik.csv"
        awk -v n="${wiersze}" '{ printf "%.1f %.3f\n", ($1 + $2) * 1e9 / n, $3 }' "${tmp}/czas" >>"${tmp}/pomiary.${i}"
        i=$((i + 1))
    done
done
mediana() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
i=0
for bin in "$@"; do
    p="${tmp}/pomiary.${i}"
    printf '%s: CPU ns/row min %s median %s (runs: %s), median wall %.2f M rows/s\n' "${bin}" \
        "$(cut -d' ' -f1 "${p}" | sort -g | head -1)" "$(cut -d' ' -f1 "${p}" | mediana)" \
        "$(cut -d' ' -f1 "${p}" | tr '\n' ' ' | sed 's/ $//')" \
        "$(awk -v n="${wiersze}" -v s="$(cut -d' ' -f2 "${p}" | mediana)" 'BEGIN { print n / s / 1e6 }')"
    i=$((i + 1))
done
