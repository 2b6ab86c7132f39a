#!/usr/bin/env bash
# Draws the splash picture of Tavrionex 4, splash.png and splash@2x.png (ImageMagick, and
# rsvg-convert for the program icon from icons/hicolor). Run it again after changing it.
set -euo pipefail
cd "$(dirname "$0")"

# Splash: a blue gradient with the icon, the product name and a line about it; drawn once
# at the design size and once at twice that for screens scaled to 200 %.
icon=icons/hicolor/scalable/apps/org.tavrionex.Tavrionex4.svg
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
splash() { # scale output
  local s=$1
  n() { echo $(( $1 * s )); }
  rsvg-convert -w "$(n 112)" -h "$(n 112)" -o "$tmp/icon.png" "$icon"
  convert -size "$(n 440)x$(n 280)" gradient:'#1f3f6e'-'#3b78b8' \
    "$tmp/icon.png" -geometry "+$(n 28)+$(n 52)" -composite \
    -fill '#ffffff' -font DejaVu-Sans-Bold -pointsize "$(n 40)" -annotate "+$(n 158)+$(n 112)" 'Tavrionex 4' \
    -fill '#dbe7f5' -font DejaVu-Sans -pointsize "$(n 15)" -annotate "+$(n 160)+$(n 144)" 'Your personal card-file database' \
    -fill '#ffffff' -stroke none -draw "rectangle $(n 160),$(n 158) $(n 410),$(( 159 * s + s - 1 ))" \
    -fill '#c8d9ee' -font DejaVu-Sans -pointsize "$(n 12)" \
    -annotate "+$(n 160)+$(n 182)" 'Records, captions and reports' \
    -annotate "+$(n 160)+$(n 200)" 'kept in any number of databases' \
    -fill '#9fb9d9' -pointsize "$(n 11)" -annotate "+$(n 28)+$(n 258)" 'Version 4.0' \
    -annotate "+$(n 330)+$(n 258)" 'Loading ...' \
    -bordercolor '#16304f' -border "$(n 2)" \
    -depth 8 "$2"
}
splash 1 splash.png
splash 2 splash@2x.png
