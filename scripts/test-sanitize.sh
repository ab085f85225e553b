#!/bin/sh
# Builds the core tests (no windows) with the address and undefined-behaviour sanitizers and runs them.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVEL_SANITIZE=ON -DKORVEL_BUILD_BENCH=OFF -DKORVEL_BUILD_UI=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j2 --timeout 300
