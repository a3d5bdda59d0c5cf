#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM.exe [ARG...]: runs a cross-built Windows program under Wine in the
# Wine prefix PREFIX. Run it inside private-net.sh when the program opens the product's sockets.
set -euo pipefail
if [ $# -lt 2 ]; then
    echo "usage: wine-run.sh PREFIX PROGRAM.exe [ARG...]" >&2
    exit 64
fi
. "$(dirname "$0")/wine-env.sh"
wine_env "$1"
shift
exec "$WINE" "$@"
