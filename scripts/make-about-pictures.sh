#!/usr/bin/env bash
# Draws the About box's two pictures (app/res/about_product.mvg, 113 x 201,
# and app/res/about_title.mvg, 281 x 49) into 8-bit BMP files that the
# resource script compiles into tessaly.exe. Run it after changing a drawing;
# needs ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for pair in about_product:113x201 about_title:281x49; do
  name=${pair%%:*} size=${pair#*:}
  # The drawing goes in as text: ImageMagick's usual policy refuses "@file" arguments.
  drawing=$(grep -v '^#' "$root/app/res/$name.mvg")
  # 8 bits with a colour table: the program gives the table's entry of the
  # transparent colour (the bottom-left pixel's) the face colour. No
  # dithering, so that the transparent grey stays one entry.
  convert -size "$size" xc:'#c0c0c0' -draw "$drawing" +dither -colors 256 -type Palette \
    -compress None "BMP3:$root/app/res/$name.bmp"
  identify "$root/app/res/$name.bmp"
done
