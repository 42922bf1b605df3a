#!/usr/bin/env bash
# Renders the window and desktop icons from window/resources/kalvetra.svg at
# the sizes the hicolor theme and the window use. The PNGs are checked in, so
# neither the build nor the package needs an SVG renderer; rerun this after
# changing the SVG (needs rsvg-convert, Debian's librsvg2-bin).
set -euo pipefail
resources="$(cd "$(dirname "$0")/../window/resources" && pwd)"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$resources/icons/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --output "$resources/icons/${size}x${size}/kalvetra.png" \
    "$resources/kalvetra.svg"
done
