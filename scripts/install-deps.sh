#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on Debian 12.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    qt6-base-dev libgl-dev libxkbcommon-dev fonts-dejavu-core fonts-wqy-microhei \
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev \
    iproute2 util-linux clang-format >/dev/null
