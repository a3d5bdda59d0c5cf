#!/usr/bin/env bash
# build-windows.sh [BUILD_DIR] [CMAKE_ARGS...]: cross-builds the core, kx7214ctl, kx7214-sim
# and the core test suite for 64-bit Windows with mingw-w64, statically linked, with warnings
# as errors; with kx7214d as well when service/ is there. The panel needs Qt for Windows and is
# built on Windows itself (see README). scripts/test-windows.sh runs the suite under Wine;
# scripts/package.sh makes the .zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-windows}
shift || true
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

# debian_source PACKAGE DEST: unpacks the Debian source of PACKAGE, at the version of the same
# name that is installed here, with Debian's patches, into DEST. Only apt's own files inside the
# build folder are used: the machine's package sources stay as they are.
debian_source() {
    local package=$1 dest=$2 apt=$dir/apt-sources version
    [ -f "$dest/.unpacked" ] && return
    version=$(dpkg-query -W -f '${source:Version}' "$3")
    mkdir -p "$apt/lists/partial" "$apt/download"
    cat >"$apt/sources.list" <<EOF_LIST
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm-updates main
deb-src http://deb.debian.org/debian-security bookworm-security main
EOF_LIST
    local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -qq)
    apt-get "${options[@]}" update
    (cd "$apt/download" && apt-get "${options[@]}" source --download-only "$package=$version")
    rm -rf "$dest"
    mkdir -p "$(dirname "$dest")"
    dpkg-source --no-check -x "$apt/download/${package}_${version#*:}.dsc" "$dest" >/dev/null
    touch "$dest/.unpacked"
}

# cpp-httplib is a compiled library in Debian; the service's Windows build takes its one-header
# form from the same Debian version's source.
extra=()
if [ -f "$root/service/CMakeLists.txt" ]; then
    debian_source cpp-httplib "$dir/sources/cpp-httplib" libcpp-httplib-dev
    extra+=(-DKX_HTTPLIB_SOURCE_DIR="$dir/sources/cpp-httplib")
fi

cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_WERROR=ON "${extra[@]}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
