#!/usr/bin/env bash
# Draws Image3 of the info dialog: the maker's web address as lettering,
# 145 x 20 at 96 DPI and drawn anew for 120, 144 and 192 DPI
# (image3_lettering_144.bmp and so on), as 8-bit bitmaps on the dialog's
# button-face grey, which is also the bottom-left pixel and so the
# transparent colour; 64 colours keep them small. Needs ImageMagick,
# python3 and fonts-wine (Tahoma Bold); the outputs are committed.
set -euo pipefail
res=$(cd "$(dirname "$0")/.." && pwd)
font=/usr/share/wine/fonts/tahomabd.ttf
for dpi in 96 120 144 192; do
  name=image3_lettering
  [ "$dpi" = 96 ] || name=${name}_$dpi
  w=$((145 * dpi / 96)) h=$((20 * dpi / 96))
  point=$(echo "14 * $dpi / 96" | bc -l)
  shadow=$(((dpi + 48) / 96))
  convert -size ${w}x${h} xc:'#F0F0F0' \
    -font "$font" -pointsize "$point" -gravity center \
    -fill '#B8C4DC' -annotate +$shadow+$shadow 'www.kalverin.de' \
    -fill '#1C3F94' -annotate +0+0 'www.kalverin.de' \
    -fill '#F0F0F0' -draw "point 0,$((h - 1))" \
    -colors 64 -depth 8 ppm:- | python3 -c '
import sys
sys.path.insert(0, sys.argv[1])
from raster import bmp8, read_ppm
sys.stdout.buffer.write(bmp8(read_ppm(sys.stdin.buffer.read()), 64))' "$(dirname "$0")" >"$res/$name.bmp"
  echo "wrote $res/$name.bmp"
done
