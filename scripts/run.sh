#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavrionex4 in its data directory
# (~/Tavrionex, or $TAVRIONEX_DATA), which is created when missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
Tavrionex4 is a desktop program and no display was found (DISPLAY is not set).
Start it from a desktop session, over 'ssh -X', or on a virtual display:
  xvfb-run -a $0
MSG
  exit 1
fi

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

data=${TAVRIONEX_DATA:-$HOME/Tavrionex}
mkdir -p "$data"

cd "$data"
exec "${TAVRIONEX_BUILD_DIR:-$root/build}/bin/Tavrionex4"
