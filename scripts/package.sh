#!/bin/sh
# Installs what is missing, builds KORVEL and its Debian package build/korvel_VERSION_amd64.deb
# (CPack; packaging/CMakeLists.txt). Install it with: sudo apt install ./build/korvel_*.deb
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
rm -f build/korvel_*.deb
(cd build && cpack -G DEB)
ls build/korvel_*.deb
