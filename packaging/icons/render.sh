#!/usr/bin/env bash
# Renders the hicolor PNG sizes from the drawn SVG icon (rsvg-convert, from
# Debian's librsvg2-bin). Run after changing the SVG; the PNGs are kept in
# the repository so that building needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" kvd9-programmer.svg -o "kvd9-programmer-$size.png"
done
