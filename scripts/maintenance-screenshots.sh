#!/usr/bin/env bash
# Screenshots of the New Addon, Delete Addon, Help and About windows on a virtual
# display, into docs/screenshots/. Needs the dev build, xvfb, xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
show_window=build/dev/tests/windows/show_window
out=docs/screenshots
[ -x "$show_window" ] || { echo "build first: cmake --build --preset dev" >&2; exit 1; }
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for folder in FLIGHTMODELS MISSIONS SKINS TERRAINS GRAPHICS SOUNDS EXES BACKUPS download game; do
  mkdir -p "$work/$folder"
done
cp resources/QUORVEL.jpg resources/readme.txt "$work/"
{
  echo "[PATH]"
  echo "RUTAEAW=$work/game/"
  for pair in RUTAMODELOSVUELO=FLIGHTMODELS RUTAMISIONES=MISSIONS RUTASKINS=SKINS \
              RUTATERRENOS=TERRAINS RUTAGRAFICOS=GRAPHICS RUTASONIDOS=SOUNDS RUTAEXES=EXES \
              RUTABACKUPS=BACKUPS; do
    echo "${pair%%=*}=$work/${pair#*=}/"
  done
} > "$work/QUORVEL.INI"

# A few add-ons to list, one with a picture and a description.
for name in Spitfire_MkIX Bf109G6 Hurricane_MkII P51D_Mustang; do
  echo "$name" > "$work/$name.txt" && (cd "$work" && zip -q "SKINS/$name.zip" "$name.txt") && rm "$work/$name.txt"
done
convert -size 320x240 gradient:'#9cc4e4'-'#3a5f3a' -fill white -pointsize 26 \
  -gravity center -annotate 0 'Spitfire Mk IX\nskin pack' "$work/SKINS/Spitfire_MkIX.jpg"
printf 'Spitfire Mk IX skins pack\r\n\r\nSix squadrons of the RAF in the summer of 1943,\r\nwith their code letters and nose art.\r\n\r\nCopy nothing by hand: Quorvel installs it.\r\n' \
  > "$work/SKINS/Spitfire_MkIX.txt"
for name in Spitfire_MkIX_skins.zip me262_flightmodel.ZIP channel_missions.zip; do
  (cd "$work/download" && echo x > readme && zip -q "$name" readme && rm readme)
done

shoot() { # window file [category [entry]]
  local window=$1 file=$2
  shift 2
  "$show_window" "$window" "$work" "$@" &
  local pid=$!
  local id
  id=$(xdotool search --sync --onlyvisible --name "EUROPEAN AIR WAR" | head -1)
  sleep 1
  import -window "$id" "$out/$file"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$out/$file"
}

mkdir -p "$out"
shoot Newaddon newaddon.png "SKIN PACK" Spitfire_MkIX_skins.zip
shoot Deleteaddon deleteaddon.png "SKIN PACK" SPITFIRE_MKIX
shoot Help help.png
shoot About about.png
