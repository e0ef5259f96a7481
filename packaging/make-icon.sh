#!/usr/bin/env bash
# Draws the desktop icon, packaging/icons/256/korvane.png, from the game's own
# art: the K of the title sprite, drawn in the game's font and background
# colour, over the ship; then scales it down to the other sizes desktops
# look for, packaging/icons/SIZE/korvane.png. Needs ImageMagick. The PNGs are
# kept in git; run this after changing the title or ship sprite.
set -euo pipefail

ROOT=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/.." && pwd)
font=$ROOT/run/ko-font.ttf
out=$ROOT/packaging/icons/256/korvane.png

# The title sprite's first frame starts after four header lines; its letter
# rows are frame rows 5 to 11, and the K stands in columns 8 to 14.
mapfile -t k_rows < <(sed -n '9,15p' "$ROOT/sprites/gamestart-spr.txt" | cut -c8-14)
# The ship sprite's middle row: its hull.
ship=$(sed -n '6p' "$ROOT/sprites/ship-spr.txt")

args=(-size 256x256 xc:none
  -fill 'rgb(7,61,147)' -draw 'roundrectangle 6,6 249,249 36,36'
  -font "$font" -fill white -pointsize 40)
y=54
for row in "${k_rows[@]}"; do
  args+=(-annotate "+44+$y" "$row")
  y=$((y + 24))
done
args+=(-fill cyan -pointsize 32 -annotate +61+236 "$ship"
  -fill yellow -pointsize 26 -annotate +176+140 '*' -annotate +24+104 '.' -annotate +214+214 '+')
convert "${args[@]}" -depth 8 -strip "$out"
echo "wrote $out"
for size in 48 64 128; do
  mkdir -p "$ROOT/packaging/icons/$size"
  convert "$out" -resize "${size}x${size}" -depth 8 -strip "$ROOT/packaging/icons/$size/korvane.png"
  echo "wrote $ROOT/packaging/icons/$size/korvane.png"
done
