#!/bin/sh
# Builds the libFuzzer targets with clang in build-fuzz and runs each for about 20 seconds
# (FUZZ_SECONDS overrides), starting from the seed corpora in fuzz/corpus. Fails on the first
# crash, sanitizer report or failed property; the input that caused it is left in
# build-fuzz/artifacts/.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds="${FUZZ_SECONDS:-20}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DKORVEL_BUILD_FUZZ=ON -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=OFF
cmake --build build-fuzz --target korvel_fuzz

mkdir -p build-fuzz/artifacts
for target in table_reader project_reader batch_reader number_parser number_format; do
    echo "== fuzz_$target for ${seconds} s"
    # New inputs go to a working corpus in the build folder; the seeds in the repository stay.
    mkdir -p "build-fuzz/corpus/$target"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
        "build-fuzz/corpus/$target" "fuzz/corpus/$target"
done
echo "fuzzing: no crash"
