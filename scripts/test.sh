#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything with warnings as errors
# and runs the whole test suite: the regular build, the timeline exports against other
# readers, the installed tree and the Debian package, the core again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and a short fuzz run of the index scanner.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
scripts/install-deps.sh

echo "== Formatting"
scripts/check-format.sh

echo "== Build and tests"
scripts/build.sh -DVARNOK_WERROR=ON -DVARNOK_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Timeline exports against libmsiecf and mactime, on a copied profile"
sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
build/mkindex --forensic "$sample" >/dev/null
find "$sample" -name index.dat -type f -print0 | sort -z |
    xargs -0 scripts/check-peer-fields.py --varnok5 build/varnok5 --scan "$sample"

echo "== Installed tree and Debian package"
scripts/check-install.sh build

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVARNOK_SANITIZE=ON -DVARNOK_BUILD_GUI=OFF \
    -DVARNOK_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Fuzzing the index scanner"
fuzz/run_fuzz.sh "${VARNOK_FUZZ_SECONDS:-60}"
