#!/usr/bin/env bash
# Validates the menu entries or the AppStream description with the desktop's own tool.
# Usage: validate_desktop_files.sh desktop|metainfo PACKAGING_DIR
# Ends with 77 (skipped) when the tool is not installed.
set -euo pipefail
kind=$1
dir=$2
case $kind in
  desktop)
    tool=desktop-file-validate
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is missing (package desktop-file-utils)"
      exit 77
    fi
    # desktop-file-validate ends with 0 even on some errors: any line it prints is a fault.
    out=$("$tool" "$dir"/*.desktop 2>&1)
    if [ -n "$out" ]; then
      echo "$out"
      exit 1
    fi
    ;;
  metainfo)
    tool=appstreamcli
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is missing (package appstream)"
      exit 77
    fi
    "$tool" validate --no-net --strict "$dir"/*.metainfo.xml
    ;;
esac
echo "valid: $kind"
