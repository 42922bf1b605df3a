#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a folder of its own and runs each
# for a bounded time. Exits non-zero on any crash, sanitizer report or violated
# output check; the failing input is kept in the build folder's artifacts/.
set -euo pipefail

zrodla="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
budowa="${KALVETRA_FUZZ_BUILD_DIR:-${zrodla}/build/fuzz}"
sekundy="${KALVETRA_FUZZ_SECONDS:-60}"

CC=clang CXX=clang++ cmake -S "${zrodla}" -B "${budowa}" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKALVETRA_BUILD_FUZZ=ON -DKALVETRA_BUILD_TESTS=OFF -DKALVETRA_BUILD_BENCH=OFF
cmake --build "${budowa}" --target kalvetra_fuzz_obliczenia kalvetra_fuzz_konwersja

# New inputs go to the build folder; the seeds in the tree stay as they are.
uruchom() {
  local cel=$1 slownik=$2 nasiona=$3
  mkdir -p "${budowa}/corpus/${cel}" "${budowa}/artifacts"
  "${budowa}/fuzz/kalvetra_fuzz_${cel}" \
    -max_total_time="${sekundy}" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -dict="${zrodla}/fuzz/${slownik}" \
    -artifact_prefix="${budowa}/artifacts/${cel}-" -print_final_stats=1 \
    "${budowa}/corpus/${cel}" "${zrodla}/fuzz/${nasiona}"
}
uruchom obliczenia kalvetra.dict corpus
uruchom konwersja konwersja.dict corpus_konwersja
