#!/usr/bin/env bash
# Installs the Debian 12 packages Tavrionex needs to build, run and test; only the
# missing ones are installed.
set -euo pipefail

packages=(
  cmake g++ make
  qt6-base-dev libqt6opengl6-dev libxkbcommon-dev libvulkan-dev
  qt6-image-formats-plugins qt6-charts-dev
  libsqlite3-dev sqlite3
  libcurl4-openssl-dev
  python3 python3-pyftpdlib
  xvfb xauth poppler-utils
  desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
