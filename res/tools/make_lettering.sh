#!/usr/bin/env bash
# Draws Image3 of the info dialog: the maker's web address as lettering,
# 145 x 20, as a 24-bit bitmap on the dialog's button-face grey, which is
# also its bottom-left pixel and so its transparent colour. Needs
# ImageMagick and fonts-wine (Tahoma Bold); the output is committed.
set -euo pipefail
out=$(cd "$(dirname "$0")/.." && pwd)/image3_lettering.bmp
font=/usr/share/wine/fonts/tahomabd.ttf
convert -size 145x20 xc:'#F0F0F0' \
  -font "$font" -pointsize 14 -gravity center \
  -fill '#B8C4DC' -annotate +1+1 'www.kalverin.de' \
  -fill '#1C3F94' -annotate +0+0 'www.kalverin.de' \
  -fill '#F0F0F0' -draw 'point 0,19' \
  -type truecolor BMP3:"$out"
echo "wrote $out"
