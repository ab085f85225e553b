#!/bin/sh
# Checks the sources against the repository's .clang-format and .clang-tidy; any difference or
# finding fails. clang-format covers every tracked .cpp and .h under src, app, tests, bench, fuzz and
# python; clang-tidy covers the program's own .cpp files under src and app (and the project headers
# they include), read through the compile commands of a clang build folder of its own, build-lint.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
root="$(pwd)"
jobs="${LINT_JOBS:-2}"

echo "== clang-format"
git ls-files -z -- 'src/*.cpp' 'src/*.h' 'app/*.cpp' 'app/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'python/*.cpp' 'python/*.h' | xargs -0 clang-format --dry-run -Werror

echo "== clang-tidy"
# Configuring is enough: no source includes moc output, and building the autogen targets would
# first build every library they link.
cmake -S . -B build-lint -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=OFF >/dev/null
tidy="$(command -v run-clang-tidy || command -v run-clang-tidy-14)"
# .clang-tidy makes every finding an error, so run-clang-tidy exits non-zero on the first one.
"$tidy" -quiet -j "$jobs" -p build-lint -header-filter "^$root/(src|app|build-lint/layers)/" "^$root/(src|app)/.*\.cpp\$"
echo "lint: clean"
