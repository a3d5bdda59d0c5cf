#!/usr/bin/env bash
# demo.sh [BUILD_DIR]: the panel against two simulated multiviewers. Run it inside
# private-net.sh so that the search never leaves this machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
if [ -x "$dir/ui/kx7214-panel" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$dir/ui/kx7214-panel" --demo
fi
# Without a display: the same job from the command line.
"$dir/sim/kx7214-sim" --ip 127.0.0.2 --name KX7214-Studio-A --ip 127.0.0.3 --name Edit-Bay \
    --layout 5 >"${TMPDIR:-/tmp}/kx7214-sim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.3
ctl="$dir/cli/kx7214ctl"
set -x
"$ctl" scan
"$ctl" --device 127.0.0.2 read
"$ctl" --device 127.0.0.2 set output_layout 12
"$ctl" --device 127.0.0.2 read
