#!/usr/bin/env bash
# Draws a 1920 x 1080 web page as a screen capture of one looks, with
# ImageMagick: flat title, side and foot bars, smoothed text in two faces,
# links, a photograph (a plasma), a gradient button and a flat one. Most of it
# is flat colour, as most of a page is; the same input gives the same file.
#   scripts/make-page-picture.sh OUT.bmp
set -euo pipefail
out=${1:?output BMP file}
words="Tessaly sizes the browser window to the screens your visitors have, previews the page in the \
colours their displays can show, and keeps one bookmark menu for every browser you test with. Pages \
built for a display of 256 colours should keep their flat areas in the web-safe palette, so that they \
are not dithered, and choose photographs that survive the reduction."
convert -size 1920x1080 xc:white \
  -fill '#003366' -draw 'rectangle 0,0 1919,119' \
  -font DejaVu-Serif-Bold -pointsize 48 -fill white -annotate +60+78 'Corvane Web Tools' \
  -font DejaVu-Sans -pointsize 18 -fill '#99CCFF' -annotate +1400+78 'Home | Products | Support | Contact' \
  -fill '#EEEEEE' -draw 'rectangle 0,120 299,1019' \
  -font DejaVu-Sans -pointsize 17 -fill '#0000CC' \
  -annotate +30+170 'Getting started' -annotate +30+205 'Sizing the window' -annotate +30+240 'Colour preview' \
  -annotate +30+275 'Bookmarks' -annotate +30+310 'Custom sizes' -annotate +30+345 'Updates' \
  -annotate +30+380 'Frequently asked' -annotate +30+415 'Download' \
  -draw 'line 30,174 170,174' \
  \( -size 1500x -background white -fill black -font DejaVu-Serif -pointsize 20 caption:"$words $words" \) \
  -geometry +360+160 -composite \
  \( -seed 7 -size 520x340 plasma:fractal \) -geometry +360+480 -composite \
  \( -size 900x400 -background white -fill '#333333' -font DejaVu-Sans -pointsize 16 caption:"$words $words" \) \
  -geometry +920+480 -composite \
  \( -size 220x44 gradient:'#6699CC-#336699' \) -geometry +360+860 -composite \
  -font DejaVu-Sans-Bold -pointsize 18 -fill white -annotate +395+889 'Download now' \
  -fill '#FFCC00' -draw 'rectangle 620,860 900,903' -fill black -annotate +650+889 'Buy Tessaly 2' \
  -fill '#CCCCCC' -draw 'rectangle 0,1020 1919,1079' \
  -font DejaVu-Sans -pointsize 14 -fill '#666666' -annotate +60+1055 'Copyright Corvane. All rights reserved.' \
  -type TrueColor BMP3:"$out"
