#!/usr/bin/env bash
# Renders icons/quorvel.svg into the PNG sizes the package and the window icon use. Run it after changing the
# SVG and commit the PNGs: the program and its package never render SVG themselves. Needs rsvg-convert
# (apt-get install librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../icons"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" quorvel.svg -o "quorvel-$size.png"
done
