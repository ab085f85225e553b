#!/bin/sh
# Installs what is missing, builds KORVEL and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ -x build/bin/korvel ]; then
    exec build/bin/korvel "$@"
fi
# Until the window exists: the command line on the start-up batch file.
exec build/bin/korvel-batch "$@"
