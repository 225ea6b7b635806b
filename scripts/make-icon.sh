#!/usr/bin/env bash
# Draws the program's icon (app/res/tessaly.mvg) at 16, 32, 48 and 256 pixels
# and writes them into app/res/tessaly.ico, which the resource script compiles
# into tessaly.exe. Run it after changing the drawing; needs ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/app/res/tessaly.mvg"
out="$root/app/res/tessaly.ico"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The drawing goes in as text: ImageMagick's usual policy refuses "@file" arguments.
drawing=$(grep -v '^#' "$src")
frames=()
for size in 16 32 48 256; do
  # Each size is drawn afresh from the vectors, scaled from the 256 canvas,
  # rather than shrunk from a large picture: small sizes stay sharp.
  scale=$(awk -v s="$size" 'BEGIN { printf "%.6f", s / 256 }')
  convert -size "${size}x${size}" xc:none -affine "$scale,0,0,$scale,0,0" -draw "$drawing" \
    -depth 8 -define png:color-type=6 "$work/$size.png"
  frames+=("$work/$size.png")
done
convert "${frames[@]}" "$out"
identify "$out"
