#!/usr/bin/env bash
# build-windows.sh [BUILD_DIR] [CMAKE_ARGS...]: cross-builds the core, kx7214ctl, kx7214-sim
# and the core test suite for 64-bit Windows with mingw-w64, statically linked, with warnings
# as errors. The panel needs Qt for Windows and is built on Windows itself (see README).
# scripts/test-windows.sh runs the suite under Wine; scripts/package.sh makes the .zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-windows}
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_WERROR=ON "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
