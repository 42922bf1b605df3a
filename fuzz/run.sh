#!/usr/bin/env bash
# Builds the libFuzzer target with clang in a folder of its own and runs it for
# a bounded time. Exits non-zero on any crash, sanitizer report or violated
# output check; the failing input is kept in the build folder's artifacts/.
set -euo pipefail

zrodla="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
budowa="${KALVETRA_FUZZ_BUILD_DIR:-${zrodla}/build/fuzz}"
sekundy="${KALVETRA_FUZZ_SECONDS:-60}"

CC=clang CXX=clang++ cmake -S "${zrodla}" -B "${budowa}" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKALVETRA_BUILD_FUZZ=ON -DKALVETRA_BUILD_TESTS=OFF -DKALVETRA_BUILD_BENCH=OFF
cmake --build "${budowa}" --target kalvetra_fuzz_obliczenia

# New inputs go to the build folder; the seeds in the tree stay as they are.
mkdir -p "${budowa}/corpus" "${budowa}/artifacts"
"${budowa}/fuzz/kalvetra_fuzz_obliczenia" \
  -max_total_time="${sekundy}" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
  -dict="${zrodla}/fuzz/kalvetra.dict" \
  -artifact_prefix="${budowa}/artifacts/" -print_final_stats=1 \
  "${budowa}/corpus" "${zrodla}/fuzz/corpus"
