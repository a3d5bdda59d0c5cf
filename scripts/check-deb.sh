#!/usr/bin/env bash
# check-deb.sh DEB: installs the package with its dependencies from Debian, starts the programs
# from where the package put them, checks the menu entry, icons and manual pages, and removes
# the package again. Needs root (or sudo).
set -euo pipefail
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: check-deb.sh DEB" >&2
    exit 64
fi
deb=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq "$deb" >/dev/null
trap '$SUDO dpkg -r kx7214 >/dev/null' EXIT

dpkg -L kx7214 | while read -r f; do [ -d "$f" ] || echo "$f"; done
/usr/bin/kx7214ctl --help >/dev/null
/usr/bin/kx7214-sim --help >/dev/null
/usr/bin/kx7214d --help >/dev/null
QT_QPA_PLATFORM=offscreen /usr/bin/kx7214-panel --version
desktop-file-validate /usr/share/applications/kx7214-panel.desktop
for side in 16 22 24 32 48 64 128 256; do
    test -s "/usr/share/icons/hicolor/${side}x${side}/apps/kx7214-panel.png"
done
for page in kx7214ctl kx7214-sim kx7214-panel kx7214d; do
    gzip -t "/usr/share/man/man1/$page.1.gz"
done
echo "check-deb.sh: $(basename "$deb") installs and runs"
