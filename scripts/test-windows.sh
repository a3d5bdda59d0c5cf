#!/usr/bin/env bash
# test-windows.sh [BUILD_DIR]: runs the cross-built core suite (scripts/build-windows.sh) under
# Wine, inside a private network namespace with loopback only.
#
# Wine's server, not the Windows program, creates the sockets, so it is the server that must live
# in the private namespace: any server of the test prefix still running (perhaps outside) is
# stopped, and a new one is started here before the first test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(cd "${1:-$root/build-windows}" && pwd)
if [ "$(ip -o link show | awk -F': ' '{ print $2 }')" != "lo" ]; then
    if [ -n "${KX_PRIVATE_NETWORK_TRIED:-}" ]; then
        echo "test-windows.sh: interfaces besides lo are still visible" >&2
        exit 1
    fi
    export KX_PRIVATE_NETWORK_TRIED=1
    exec "$root/scripts/private-net.sh" "$0" "$dir"
fi

. "$root/scripts/wine-env.sh"
wine_env "$dir/wine-prefix"
shim=$dir/wine-exact-bind.so
cc -shared -fPIC -O2 -Wall -Werror -o "$shim" "$root/scripts/wine-exact-bind.c"

"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
LD_PRELOAD=$shim "$WINESERVER" -p
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
# Wine's own background programs start with the first Windows program and would keep its
# output open after it ends; started here, they leave ctest's output alone.
"$WINE" wineboot >/dev/null 2>&1
cd "$dir"
# The ANSI code page follows the locale under Wine: Windows-1252 here, 932 for the test that
# asks for it.
export LC_ALL=C.UTF-8
ctest --output-on-failure
