#!/usr/bin/env bash
# Throughput and peak memory of kalvetra-cli convert on generated type K
# files of 1 and 10 million rows, from file to file, against the pandas
# pipeline in pandas_konwersja.py on the same 10 million rows.
#
#   bench/batch/pomiar.sh [BUILD_DIR]      default build/release
#
# POWTORZENIA (default 5) runs of convert per size, POWTORZENIA_PANDAS
# (default 3) of pandas; the median is reported. Needs /usr/bin/time
# (Debian package time) and Debian's python3-pandas.
set -euo pipefail

zrodla="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
budowa="${1:-${zrodla}/build/release}"
powtorzenia="${POWTORZENIA:-5}"
powtorzenia_pandas="${POWTORZENIA_PANDAS:-3}"
[ -d "${budowa}" ] || cmake --preset release -S "${zrodla}" >/dev/null
cmake --build "${budowa}" --target kalvetra-cli generuj_csv >/dev/null
cli="${budowa}/cli/kalvetra-cli"
dane="${KALVETRA_BENCH_DIR:-${budowa}/bench/batch-dane}"
mkdir -p "${dane}"

mediana() { sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

# Runs "$@" with stdout to $wyjscie; prints "seconds peak_RSS_KiB".
zmierz() {
    local t0 t1 rss
    t0=${EPOCHREALTIME}
    /usr/bin/time -f '%M' -o "${dane}/time.txt" "$@" >"${wyjscie}"
    t1=${EPOCHREALTIME}
    rss=$(tail -1 "${dane}/time.txt")
    echo "$(awk -v a="${t0}" -v b="${t1}" 'BEGIN { printf "%.4f", b - a }') ${rss}"
}

echo "== $(date -u +%FT%TZ), $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "== load at start: $(cut -d' ' -f1-3 /proc/loadavg)"
for n in 1000000 10000000; do
    plik="${dane}/k_${n}.csv"
    [ -s "${plik}" ] || "${budowa}/bench/generuj_csv" "${n}" >"${plik}"
    wyjscie="${dane}/k_${n}.kalvetra.csv"
    : >"${dane}/pomiary.txt"
    for _ in $(seq "${powtorzenia}"); do
        zmierz "${cli}" convert K --to temp --cold-column 2 --header "${plik}" >>"${dane}/pomiary.txt"
    done
    [ "$(wc -l <"${wyjscie}")" -eq "$((n + 1))" ] || { echo "row count differs" >&2; exit 1; }
    s=$(cut -d' ' -f1 "${dane}/pomiary.txt" | mediana)
    rss=$(cut -d' ' -f2 "${dane}/pomiary.txt" | mediana)
    printf 'convert %8d rows: median %.3f s (runs: %s), %.2f M rows/s, peak RSS %.1f MiB (%s KiB), input %d MiB\n' \
        "${n}" "${s}" "$(cut -d' ' -f1 "${dane}/pomiary.txt" | tr '\n' ' ' | sed 's/ $//')" \
        "$(awk -v n="${n}" -v s="${s}" 'BEGIN { print n / s / 1e6 }')" \
        "$(awk -v r="${rss}" 'BEGIN { print r / 1024 }')" "$(cut -d' ' -f2 "${dane}/pomiary.txt" | tr '\n' ' ' | sed 's/ $//')" \
        "$(($(stat -c %s "${plik}") / 1048576))"
    ostatnie_s=${s}
done

wyjscie="${dane}/k_10000000.pandas.csv"
: >"${dane}/pomiary.txt"
for _ in $(seq "${powtorzenia_pandas}"); do
    zmierz /usr/bin/python3 "${zrodla}/bench/batch/pandas_konwersja.py" \
        "${dane}/k_10000000.csv" /dev/stdout >>"${dane}/pomiary.txt"
done
p=$(cut -d' ' -f1 "${dane}/pomiary.txt" | mediana)
prss=$(cut -d' ' -f2 "${dane}/pomiary.txt" | mediana)
printf 'pandas  10000000 rows: median %.3f s (runs: %s), %.2f M rows/s, peak RSS %.0f MiB\n' \
    "${p}" "$(cut -d' ' -f1 "${dane}/pomiary.txt" | tr '\n' ' ' | sed 's/ $//')" \
    "$(awk -v s="${p}" 'BEGIN { print 10 / s }')" "$(awk -v r="${prss}" 'BEGIN { print r / 1024 }')"
printf 'ratio pandas / convert on 10M rows: %.1f\n' "$(awk -v a="${p}" -v b="${ostatnie_s}" 'BEGIN { print a / b }')"

# Both must have done the same job: the results agree to within the
# rounding of the last digit on every row.
paste -d, <(cut -d, -f3 "${dane}/k_10000000.kalvetra.csv") <(cut -d, -f3 "${dane}/k_10000000.pandas.csv") |
    awk -F, 'NR > 1 { d = $1 - $2; if (d < 0) d = -d; if (d > m) m = d } END { printf "largest difference to pandas: %.4f °C\n", m; exit m > 0.0100001 }'
echo "== load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
