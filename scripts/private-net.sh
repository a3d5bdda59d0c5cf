#!/usr/bin/env bash
# private-net.sh COMMAND [ARG...]
# Runs COMMAND in a fresh network namespace that has only a loopback interface, with a default
# route through it. The search broadcast to 255.255.255.255:7000, the simulated multiviewers and
# every exchange stay inside it and never reach the network this machine is on.
set -euo pipefail
if [ $# -eq 0 ]; then
    echo "usage: private-net.sh COMMAND [ARG...]" >&2
    exit 64
fi
command -v ip >/dev/null || { echo "private-net.sh: needs 'ip' (package iproute2)" >&2; exit 69; }
command -v unshare >/dev/null || { echo "private-net.sh: needs 'unshare' (package util-linux)" >&2; exit 69; }
flags=-n
[ "$(id -u)" -eq 0 ] || flags=-rn
exec unshare $flags -- sh -c '
  ip link set lo up &&
  ip route add default dev lo src 127.0.0.1 &&
  exec "$@"' private-net "$@"
