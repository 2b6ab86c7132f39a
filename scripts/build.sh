#!/usr/bin/env bash
# Configures and builds into ./build (or $TAVRIONEX_BUILD_DIR). The compiler's output goes
# to build.log in the build folder; its end is shown when the build fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVRIONEX_BUILD_DIR:-$root/build}
mkdir -p "$build"
log="$build/build.log"
echo "Building Tavrionex in $build (log: $log) ..."
if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$build" -j"$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "The build failed; the whole log is in $log" >&2
  exit 1
fi
echo "Build finished."
