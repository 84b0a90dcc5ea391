#!/usr/bin/env bash
# Draws the PNG sizes of the icon from lumetra.svg (ImageMagick). The smallest sizes leave out
# the pictures' landscapes, which would only blur the slots.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  source=lumetra.svg
  if [ "$size" -le 24 ]; then
    source=$(mktemp --suffix=.svg)
    grep -v -e '<path' -e '<circle' lumetra.svg >"$source"
  fi
  convert -background none -density $((size * 72 * 4 / 64)) "$source" -resize "${size}x${size}" \
    -define png:exclude-chunks=date,time -depth 8 "hicolor/${size}x${size}/apps/lumetra.png"
  if [ "$source" != lumetra.svg ]; then
    rm -f "$source"
  fi
done
