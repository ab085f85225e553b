#!/bin/sh
# Installs the Debian 12 packages KORVEL needs to build, run and test, where missing.
set -eu
packages="g++ clang clang-format clang-tidy cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev fonts-liberation parallel dpkg-dev file desktop-file-utils appstream lintian shared-mime-info poppler-utils python3 libxlsxwriter-dev libzip-dev libreoffice-calc-nogui calculix-ccx pybind11-dev python3-dev python3-pytest python3-pandas python3-numpy python3-matplotlib"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
