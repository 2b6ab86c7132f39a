#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest. GUI tests run
# in real X11 windows: without a display the whole run goes under xvfb-run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

build=${TAVRIONEX_BUILD_DIR:-$root/build}
cd "$build"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2
fi
exec ctest --output-on-failure -j2
