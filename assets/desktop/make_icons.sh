#!/usr/bin/env bash
# Draws the desktop icons of the game (two cards under a ray of light) and of the card maker
# (a card with a pen), 256x256 on a rounded tile with transparent corners. The PNGs are
# committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf

# Cuts the rounded tile out of a square picture: $1 in, $2 out.
round() {
  convert "$1" \( -size 256x256 xc:black -fill white -draw "roundrectangle 8,8 247,247 40,40" \) \
    -alpha off -compose CopyOpacity -composite -type TrueColorAlpha -depth 8 "$2"
}

convert -size 256x256 radial-gradient:'#3b7a7a'-'#0b1a24' \
  -fill '#fff6d040' -draw "polygon 128,0 52,256 204,256" \
  -fill '#c9a24a' -stroke '#5e4310' -strokewidth 4 \
  -draw "translate 84,140 rotate -16 roundrectangle -45,-65 45,65 10,10" \
  -fill '#e8c66a' -draw "roundrectangle 110,58 200,188 10,10" \
  -fill '#264d4d' -stroke none -draw "rectangle 122,70 188,128" \
  -fill '#f3e3b0' -draw "circle 155,99 155,116" \
  -fill '#5e4310' -font "$FONT" -pointsize 40 -annotate +140+174 'L' \
  /tmp/lumenfold-icon.png
round /tmp/lumenfold-icon.png lumenfold.png

convert -size 256x256 radial-gradient:'#3b7a7a'-'#0b1a24' \
  -fill '#e8c66a' -stroke '#5e4310' -strokewidth 4 -draw "roundrectangle 44,36 164,212 12,12" \
  -fill '#264d4d' -stroke none -draw "rectangle 58,50 150,128" \
  -fill '#f3e3b0' -draw "polygon 64,122 92,80 112,108 126,92 146,122" \
  -fill '#5e4310' -draw "rectangle 60,144 148,150" -draw "rectangle 60,160 132,166" \
  -draw "rectangle 60,176 140,182" \
  -fill '#d8d8e8' -stroke '#30304a' -strokewidth 3 \
  -draw "polygon 222,66 242,86 150,186 130,166" \
  -fill '#30304a' -draw "polygon 130,166 150,186 118,198" \
  /tmp/lumenfold-maker-icon.png
round /tmp/lumenfold-maker-icon.png lumenfold-card-maker.png
rm -f /tmp/lumenfold-icon.png /tmp/lumenfold-maker-icon.png
