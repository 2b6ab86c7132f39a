#!/usr/bin/env bash
# Draws the pictures supplied with Tavrionex 4 (ImageMagick): the program icon
# tavrionex.png and the splash picture splash.png. Run it again after changing a picture.
set -euo pipefail
cd "$(dirname "$0")"

# Icon: three index cards fanned out, the front one with a tab and ruled lines.
convert -size 64x64 xc:none \
  -stroke '#2e3436' -strokewidth 1.5 \
  -fill '#c4d7ee' -draw 'roundrectangle 14,6 58,40 4,4' \
  -fill '#dde8f5' -draw 'roundrectangle 10,12 54,46 4,4' \
  -fill '#fdfdf8' -draw 'roundrectangle 4,20 50,58 4,4' \
  -fill '#3465a4' -stroke '#204a87' -draw 'roundrectangle 8,14 26,22 2,2' \
  -stroke '#729fcf' -strokewidth 2 \
  -draw 'line 10,31 44,31' -draw 'line 10,39 44,39' -draw 'line 10,47 36,47' \
  -depth 8 tavrionex.png

# Splash: a blue gradient with the icon, the product name and a line about it.
convert -size 440x280 gradient:'#1f3f6e'-'#3b78b8' \
  \( tavrionex.png -resize 112x112 \) -geometry +28+52 -composite \
  -fill '#ffffff' -font DejaVu-Sans-Bold -pointsize 40 -annotate +158+112 'Tavrionex 4' \
  -fill '#dbe7f5' -font DejaVu-Sans -pointsize 15 -annotate +160+144 'Your personal card-file database' \
  -fill '#ffffff' -stroke none -draw 'rectangle 160,158 410,159' \
  -fill '#c8d9ee' -font DejaVu-Sans -pointsize 12 \
  -annotate +160+182 'Records, captions and reports' \
  -annotate +160+200 'kept in any number of databases' \
  -fill '#9fb9d9' -pointsize 11 -annotate +28+258 'Version 4.0' \
  -annotate +330+258 'Loading ...' \
  -bordercolor '#16304f' -border 2 \
  -depth 8 splash.png
