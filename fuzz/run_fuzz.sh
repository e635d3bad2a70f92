#!/usr/bin/env bash
# Builds the index scanner's fuzzer with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer throughout), writes the seed corpus and fuzzes both reads for
# the given number of seconds (60 by default). Inputs that broke the scanner are left in
# build-fuzz/ as crash-*, leak-* or timeout-* files.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build=build-fuzz

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVARNOK_BUILD_GUI=OFF -DVARNOK_BUILD_TESTS=OFF -DVARNOK_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target scan_fuzzer make_fuzz_corpus

seeds="$build/fuzz-seeds"
corpus="$build/fuzz-corpus"
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus"
"$build/make_fuzz_corpus" "$seeds"

cd "$build"
./scan_fuzzer fuzz-corpus fuzz-seeds -max_total_time="$seconds" -max_len=100000 \
    -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
