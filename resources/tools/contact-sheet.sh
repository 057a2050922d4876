#!/bin/sh
# Draws docs/screenshots/pictures.png, a contact sheet of every picture with
# the icons at 64, 32 and 24 pixels (ImageMagick). Run it from resources/.
set -e
out=${1:-../docs/screenshots/pictures.png}
tmp=$(mktemp -d)
style="-font DejaVu-Sans -background #e4e4e4 -fill #202020"
montage -label '%f  %wx%h' pictures/splash.jpg QUORVEL.jpg icons/quorvel.png \
  $style -pointsize 11 -tile 3x -geometry '+12+10' "$tmp/large.png"
montage -label '%f  %wx%h' pictures/banner.jpg pictures/banner-small.jpg pictures/logo-wide.jpg \
  icons/about-small.png $style -pointsize 11 -tile 4x -geometry '+22+10' "$tmp/small.png"
icons="new-addon delete-addon ini-settings restore-ini clear-all help about game-folder
  flight-models missions skins terrains graphics sounds exes"
for size in 64 32 24; do
  set --
  for icon in $icons; do
    convert "icons/$icon.png" -resize ${size}x${size} "$tmp/$icon.png"
    set -- "$@" "$tmp/$icon.png"
  done
  montage -label '%t' "$@" $style -pointsize 9 -tile 15x -geometry "76x$((size + 2))+2+4" \
    -title "icons at $size px" "$tmp/icons-$size.png"
done
convert "$tmp/large.png" "$tmp/small.png" "$tmp/icons-64.png" "$tmp/icons-32.png" \
  "$tmp/icons-24.png" -background '#e4e4e4' -gravity center -append -depth 8 "$out"
rm -r "$tmp"
