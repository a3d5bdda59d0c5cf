#!/usr/bin/env bash
# package.sh [BUILD_DIR [WINDOWS_BUILD_DIR]]: writes the packages into dist/:
#   kx7214_VERSION_amd64.deb             the Linux programs from BUILD_DIR (default build-test,
#                                        the build scripts/test.sh makes; built or brought up
#                                        to date here), with menu entry, icons, manual pages
#   kx7214-VERSION-windows-x86_64.zip    the command-line programs, when WINDOWS_BUILD_DIR
#                                        (default build-windows) holds a cross build made by
#                                        scripts/build-windows.sh
# The programs are stripped; the builds keep their debug information.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-test}
windows=${2:-$root/build-windows}
dist=$root/dist
mkdir -p "$dist"

if [ -f "$dir/CMakeCache.txt" ]; then
    cmake --build "$dir" -j"$(nproc)"
else
    "$root/scripts/build.sh" "$dir"
fi
(cd "$dir" && cpack -G DEB -B "$dist" >/dev/null)

if [ -f "$windows/CPackConfig.cmake" ]; then
    cmake --build "$windows" -j"$(nproc)"
    (cd "$windows" && cpack -G ZIP -B "$dist" >/dev/null)
fi
rm -rf "$dist/_CPack_Packages"
ls -l "$dist"
