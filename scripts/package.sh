#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package in the build folder
# (tavrionex_VERSION_ARCH.deb); prints its path. Install it with
#   sudo apt install ./build/tavrionex_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

build=${TAVRIONEX_BUILD_DIR:-$root/build}
cd "$build"
rm -f tavrionex_*.deb
cpack -G DEB >"$build/package.log" 2>&1 || { tail -n 40 "$build/package.log" >&2; exit 1; }
ls "$build"/tavrionex_*.deb
