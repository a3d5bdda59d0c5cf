#!/usr/bin/env bash
# Installs everything the build, the tests, the demo, the Windows cross build with its Wine run
# and the packages need on Debian 12.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    qt6-base-dev libgl-dev libxkbcommon-dev fonts-dejavu-core fonts-wqy-microhei \
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libcpp-httplib-dev \
    iproute2 util-linux clang-format \
    g++-mingw-w64-x86-64-posix googletest wine wine64 \
    desktop-file-utils dpkg-dev >/dev/null
