#!/usr/bin/env bash
# Draws the updater's background picture (403x247, magenta = see-through) and its icon.
# The PNGs are committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf
convert -size 403x247 gradient:'#2c5f5f'-'#0b1a24' \
  -fill '#ffffff18' -draw "circle 330,60 330,200" \
  -fill '#e8c66a' -stroke '#7a5a1a' -strokewidth 2 \
  -draw "roundrectangle 28,34 92,124 6,6" -draw "roundrectangle 58,24 122,114 6,6" \
  -fill '#264d4d' -stroke none -draw "rectangle 64,30 116,80" \
  -fill '#f3e3b0' -font "$FONT" -pointsize 40 -annotate +140+92 'Lumenfold' \
  -fill '#9fc7c7' -pointsize 13 -annotate +143+118 'card battles of light and shadow' \
  -fill '#ff00ff' -draw "rectangle 0,192 402,246" \
  -fill '#e8c66a' -draw "rectangle 0,189 402,191" \
  -type TrueColor -depth 8 background.png
convert -size 32x32 xc:'#ff00ff' -fill '#2c5f5f' -draw "roundrectangle 1,1 30,30 5,5" \
  -fill '#e8c66a' -stroke '#7a5a1a' -draw "roundrectangle 8,6 23,26 3,3" \
  -fill '#f3e3b0' -stroke none -font "$FONT" -pointsize 14 -annotate +11+22 'L' \
  -transparent '#ff00ff' icon.png
