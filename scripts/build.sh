#!/usr/bin/env bash
# Configures and builds the program, its tools and tests in ./build (Release with
# debug info). Extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j"$(nproc)"
