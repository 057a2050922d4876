#!/usr/bin/env bash
# Takes screenshots of every window of a built program, as a player sees them, on
# a virtual display, driving the program with real mouse clicks and keys:
#   scripts/screenshots.sh [program folder] [output folder]
# Needs xvfb, xdotool and imagemagick.
set -euo pipefail

source_folder=$(realpath "${1:-build/dev/Quorvel}")
out=$(realpath -m "${2:-docs/screenshots}")
mkdir -p "$out"

if [ -z "${QUORVEL_ON_DISPLAY:-}" ]; then
  exec env QUORVEL_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1100x800x24" "$0" "$source_folder" "$out"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$source_folder" "$work/Quorvel"
program="$work/Quorvel"
rm -f "$program/QUORVEL.INI" "$program"/BACKUPS/*
game="$work/EAW"
export HOME="$work/home"
mkdir -p "$HOME" "$game"

# A small game folder, a download folder under Wine's drive C and a library.
for file in EAW.EXE EXTRA.SPT GRB_031.SND; do echo "game $file" >"$game/$file"; done
printf '%s\r\n' '[EAW]' 'PlayerPilotName=Hauptmann Kurz' 'LeaderChar=42' 'WingmanChar=43' \
  'ExtraSquads=3' '[NETOPTION]' 'AI_PlaneUpdateRate=200' 'NoAI=1' 'AllowRespawn=1' \
  '[GRAPHICS]' 'width=1024' 'height=768' '[DISPLAY]' 'HudColor_Green_R=0' 'HudColor_Green_G=200' \
  'HudColor_Green_B=40' '[CONTROLS]' 'Force Feedback=1' 'Windows JOYSTICK=1' 'JoystickDeadZone=5' \
  'Force Feedback Gain=7500' 'Flight Sensitivity=1.50' 'Camera Sensitivity=0.80' \
  '[Remappable Keys]' 'CHASE VIEW=F2' 'COCKPIT ON/OFF=F1' >"$game/EAW.INI"
downloads="$HOME/.wine/drive_c/Downloads"
mkdir -p "$downloads"
for name in Spitfire_MkIX_skins.zip me262_flightmodel.ZIP channel_missions.zip; do
  (cd "$work" && echo x >readme && zip -q "$downloads/$name" readme && rm readme)
done
make_addon() { # folder name title files...
  local folder=$1 name=$2 title=$3; shift 3
  local stage="$work/stage/$name"; mkdir -p "$stage"
  for member in "$@"; do echo "$name $member" >"$stage/$member"; done
  (cd "$stage" && zip -q -r "$program/$folder/$name.zip" .)
  printf '%s\r\n\r\nAn add-on for European Air War.\r\n' "$title" >"$program/$folder/$name.txt"
  convert -size 264x193 gradient:'#3b4a2f-#c9b98a' -gravity center -fill white \
    -pointsize 22 -annotate 0 "$title" "$program/$folder/$name.jpg"
}
make_addon FLIGHTMODELS SPITFIRE9 "Spitfire Mk IX flight model" SPIT9.FLT SPIT9.DAT
make_addon FLIGHTMODELS MUSTANG "P-51 Mustang flight model" P51.FLT
make_addon GRAPHICS CLOUDS "Clouds" CLOUD1.PIC CLOUD2.PIC
make_addon GRAPHICS COCKPITS "Cockpits" CPIT.CPT
make_addon GRAPHICS TRACERS "Tracers" TRACER.3DZ
make_addon SKINS JG26 "JG 26 skins" JG26.TPC
make_addon SOUNDS MERLIN "Merlin engine sounds" MERLIN.WSD

# The id of the visible window whose title matches, other than the window given
# second, waiting up to ten seconds.
win() {
  local id tries=50
  until id=$(xdotool search --onlyvisible --name "$1" | grep -vx "${2:-none}" | head -n 1) &&
    [ -n "$id" ]; do
    tries=$((tries - 1)); [ $tries -gt 0 ] || { echo "no window '$1'" >&2; return 1; }
    sleep 0.2
  done
  echo "$id"
}
shot() { sleep 0.4; import -window "$1" "$out/$2.png"; echo "saved $out/$2.png"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; sleep 0.3; }
dclick() { xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 80 1; sleep 0.6; }

"$program/quorvel" &
sleep 0.4
import -window root -crop 342x275+379+262 "$out/splash.png"; echo "saved $out/splash.png"
win "Back up copies" >/dev/null
shot root first-run # the first-run window over the disabled main window
kill %1; wait || true

printf '[PATH]\r\nRUTAEAW=%s/\r\n' "$game" >"$program/QUORVEL.INI"
for key in RUTAMODELOSVUELO:FLIGHTMODELS RUTAMISIONES:MISSIONS RUTASKINS:SKINS RUTATERRENOS:TERRAINS \
  RUTAGRAFICOS:GRAPHICS RUTASONIDOS:SOUNDS RUTAEXES:EXES RUTABACKUPS:BACKUPS; do
  printf '%s=%s/%s/\r\n' "${key%%:*}" "$program" "${key##*:}" >>"$program/QUORVEL.INI"
done
printf '[CONFIGURATION]\r\nBACKUPS=1\r\n' >>"$program/QUORVEL.INI"
cp "$game"/EAW.EXE "$game"/EAW.INI "$game"/EXTRA.SPT "$game"/GRB_031.SND "$program/BACKUPS/"

"$program/quorvel" &
sleep 1.6
main=$(win "^EUROPEAN AIR WAR Quorvel v1.0$")
click "$main" 540 356          # Graphics (Command6)
dclick "$main" 640 176         # first add-on: CLOUDS
dclick "$main" 640 176         # next first add-on: COCKPITS
click "$main" 540 196          # Flight models (Command1)
dclick "$main" 640 176         # MUSTANG
click "$main" 640 176          # preview SPITFIRE9
shot "$main" main-window

# Each child window in turn: opened by its button, shot, closed with Escape.
child() { # button-x button-y title file [keys...]
  local x=$1 y=$2 title=$3 file=$4; shift 4
  click "$main" "$x" "$y"
  local id
  id=$(win "$title" "$main") || return 1
  xdotool windowfocus "$id"; sleep 0.3
  for key in "$@"; do xdotool key "$key"; sleep 0.15; done
  shot "$id" "$file"
  xdotool windowfocus "$id" key Escape; sleep 0.4
}
child 500 96 "^EUROPEAN AIR WAR Quorvel v1.0$" eaw-folder
child 264 40 "EAW.INI Settings" settings
child 64 40 "New Addon" newaddon Down Down Down
child 152 40 "Delete Addon" deleteaddon Down Down Down Tab Down
child 584 40 "Help" help
child 680 40 "About" about
