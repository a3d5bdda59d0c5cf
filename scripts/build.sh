#!/usr/bin/env bash
# build.sh [BUILD_DIR] [CMAKE_ARGS...]: configures and builds with warnings as errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_WERROR=ON "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
