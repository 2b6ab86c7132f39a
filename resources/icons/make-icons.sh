#!/usr/bin/env bash
# Renders the program icons from their SVG sources (hicolor/scalable/apps) into the
# hicolor sizes the desktop and the programs' window icons use (needs rsvg-convert from
# librsvg2-bin). Run it again after changing an SVG, and commit the PNG files.
set -euo pipefail
cd "$(dirname "$0")/hicolor"

for svg in scalable/apps/*.svg; do
  name=$(basename "$svg" .svg)
  for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" -o "${size}x${size}/apps/$name.png" "$svg"
  done
done
