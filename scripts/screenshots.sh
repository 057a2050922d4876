#!/usr/bin/env bash
# Takes screenshots of all nine windows of a built program, as a player sees them,
# at scale 1 and at scale 2 (name-x2.png), driving the program on a virtual display
# with real mouse clicks and keys:
#   scripts/screenshots.sh [program folder] [output folder] [StandInGame.exe]
# A folder with quorvel.exe (scripts/windows-program.sh) is driven under Wine at
# 100% and at 150% (name-x1.5.png): Windows scales a program by the display's DPI,
# which Wine takes from its LogPixels setting, not by QT_SCALE_FACTOR. There the
# game played from Play is the stand-in built beside the window tests, when given.
# Needs xvfb, xdotool, imagemagick, zip and python3, and wine for Windows.
set -euo pipefail

source_folder=$(realpath "${1:-build/dev/Quorvel}")
out=$(realpath -m "${2:-docs/screenshots}")
stand_in_game=${3:+$(realpath "$3")}
mkdir -p "$out"

if [ -z "${QUORVEL_SCALE:-}" ]; then
  QUORVEL_SCALE=1 "$0" "$source_folder" "$out" ${stand_in_game:+"$stand_in_game"}
  if [ -e "$source_folder/quorvel.exe" ]; then
    QUORVEL_SCALE=1.5 "$0" "$source_folder" "$out" ${stand_in_game:+"$stand_in_game"}
  else
    QUORVEL_SCALE=2 "$0" "$source_folder" "$out"
  fi
  exit
fi
source "$(dirname "$(realpath "$0")")/drive.sh"
on_virtual_display "$0" "$source_folder" "$out" ${stand_in_game:+"$stand_in_game"}
suffix=$([ "$scale" = 1 ] && echo "" || echo "-x$scale")

work=$(mktemp -d)
program="$work/Quorvel"
fresh_program_folder "$source_folder" "$program"
private_home "$work"
start=("$program/quorvel")
under_wine() { [ -e "$program/quorvel.exe" ]; }
if under_wine; then
  # Wine's prefix is in the private home, so its drive C: is where the game
  # folder and the downloads are made below.
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  "$(dirname "$(realpath "$0")")/wine-fonts.sh"
  unset QT_SCALE_FACTOR
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$(scaled 96)" /f \
    >/dev/null 2>&1
  start=(wine "$program/quorvel.exe")
fi
trap 'kill $(jobs -p) 2>/dev/null || true; ! under_wine || wineserver -k; rm -rf "$work"' EXIT
game="$HOME/.wine/drive_c/EAW"
make_game_folder "$game"
# Play runs the first wine on the PATH, or under Wine EAW.EXE: a stand-in that
# plays until told to end.
end_file="$work/end"
if ! under_wine; then
  mkdir -p "$work/bin"
  cp "$(dirname "$(realpath "$0")")/../tests/e2e/stand-in-wine" "$work/bin/wine"
  export PATH="$work/bin:$PATH" STAND_IN_RECORD="$work/played" STAND_IN_END="$end_file"
elif [ -n "$stand_in_game" ]; then
  cp "$stand_in_game" "$game/EAW.EXE"
  STAND_IN_RECORD=$(winepath -w "$work/played") STAND_IN_END=$(winepath -w "$end_file")
  export STAND_IN_RECORD STAND_IN_END
fi
# Archives to import, in a download folder under Wine's drive C.
downloads="$HOME/.wine/drive_c/Downloads"
mkdir -p "$downloads"
for name in Spitfire_MkIX_skins.zip me262_flightmodel.ZIP channel_missions.zip; do
  (cd "$work" && echo x >readme && zip -q "$downloads/$name" readme && rm readme)
done
make_addon "$program" FLIGHTMODELS SPITFIRE9 "Spitfire Mk IX flight model" SPIT9.FLT SPIT9.DAT
make_addon "$program" FLIGHTMODELS MUSTANG "P-51 Mustang flight model" P51.FLT
make_addon "$program" FLIGHTMODELS SPITFIRE_XIV "Spitfire Mk XIV flight model" SPIT14.FLT
make_addon "$program" FLIGHTMODELS TEMPEST "Tempest V flight model" TEMPEST.FLT
make_addon "$program" GRAPHICS CLOUDS "Clouds" CLOUD1.PIC CLOUD2.PIC
make_addon "$program" GRAPHICS COCKPITS "Cockpits" CPIT.CPT
make_addon "$program" GRAPHICS TRACERS "Tracers" TRACER.3DZ
make_addon "$program" SKINS JG26 "JG 26 skins" JG26.TPC
make_addon "$program" SOUNDS MERLIN "Merlin engine sounds" MERLIN.WSD
saved() { shot "$1" "$out/$2$suffix.png"; }
# Closes a window with its key and waits until it is gone; the main window takes
# clicks from then on. Wine without a window manager gives no X focus for Escape
# or Return, so there windows are closed as a window manager's close button does.
closed() { # window key
  if under_wine; then close_window "$1"; else keys "$1" "$2"; fi
  vanished "$1"
}

"${start[@]}" &
splash=$(win "^Quorvel$")
saved "$splash" splash
backups=$(win "Back up copies")
keys "$backups" Tab Down Down Return # drive_c holds Downloads and EAW
settle 1
saved root first-run # the first-run window over the disabled main window
click "$backups" 538 435
gone "Back up copies"
main=$(win "^EUROPEAN AIR WAR Quorvel v1.0$")
click "$main" 540 356          # Graphics (Command6)
dclick "$main" 640 200         # first add-on: CLOUDS
dclick "$main" 640 200         # next first add-on: COCKPITS
click "$main" 540 196          # Flight models (Command1)
dclick "$main" 640 200         # MUSTANG
click "$main" 640 200          # preview SPITFIRE9
saved "$main" main-window

# Add-on sets: the name dialog refusing a name with its reason (Ctrl+S), and the
# menu of an installed list with two sets saved before.
printf '[ADDONS]\r\nFLIGHTMODELS=SPITFIRE9\r\nSKINS=JG26\r\n' >"$program/SETS/1940 campaign.INI"
printf '[ADDONS]\r\nGRAPHICS=CLOUDS\r\nSOUNDS=MERLIN\r\n' >"$program/SETS/Last run.INI"
keys "$main" ctrl+s
set_name=$(win "Save a set" "$main")
typed "$set_name" "Online: evening"
saved "$set_name" set-name
closed "$set_name" Escape
click "$main" 100 304 3 # the right button on the installed graphics list
settle 0.6
point "$main" 150 370 # over the set "Last run": its add-ons in a tooltip
settle 1.5
saved root set-menu
if under_wine; then click "$main" 300 250; else keys "$main" Escape; fi

# Each child window in turn: opened by its button, shot, closed with Escape.
child() { # button-x button-y title file [keys...]
  local x=$1 y=$2 title=$3 file=$4
  shift 4
  click "$main" "$x" "$y"
  local id
  id=$(win "$title" "$main")
  keys "$id" "$@"
  saved "$id" "$file"
  closed "$id" Escape
}
child 500 96 "^EUROPEAN AIR WAR Quorvel v1.0$" eaw-folder
child 264 40 "EAW.INI Settings" settings
child 64 40 "New Addon" newaddon Down Down Down
child 152 40 "Delete Addon" deleteaddon Down Down Down Tab space
child 584 40 "Help" help
child 680 40 "About" about

# The tools beside the lists: the filter narrowed, the files of an installed add-on
# (Ctrl+I), and the game running from Play, played by a stand-in.
click "$main" 540 196 # Flight models (Command1)
click "$main" 640 178 # the filter
typed "$main" "spit"
saved "$main" main-filter
click "$main" 709 178 # its clear button
click "$main" 100 303 # the first installed graphics add-on: CLOUDS
keys "$main" ctrl+i
files=$(win "Add-on files" "$main")
saved "$files" addon-files
closed "$files" Escape
if ! under_wine || [ -n "$stand_in_game" ]; then
  click "$main" 72 525 # Play
  settle 1.5
  saved "$main" playing
  touch "$end_file"
  while_still "the stand-in game" test -e "$end_file"
fi

# The questions before something is lost: a set of which one add-on is no longer
# in the library (the menu by Ctrl+O, its third set), and Delete Addon of JG26.
# Both are answered by Return, their default No.
printf '[ADDONS]\r\nGRAPHICS=CLOUDS\r\nGRAPHICS=HAZE\r\nSOUNDS=MERLIN\r\n' \
  >"$program/SETS/Online evening.INI"
question() { # file
  local id
  id=$(message_box)
  saved "$id" "$1"
  closed "$id" Return
}
keys "$main" ctrl+o
xdotool key Down Down Down Down Return # Save..., Last run, 1940 campaign, Online evening
question set-put-back
click "$main" 152 40
deleting=$(win "Delete Addon" "$main")
keys "$deleting" Down Down Down Tab space # SKIN PACK, then JG26
click "$deleting" 532 542                 # Delete Addon
question delete-question
closed "$deleting" Escape

# The boxes that tell what could not be written: an install of which no file
# could be written, one the game folder partly refused, and an import into a
# library folder that cannot be written (immutable, since root may write anywhere).
make_addon "$program" MISSIONS RAID "Raid on the Ruhr" RAID.MNU RAID.DAT
make_addon "$program" GRAPHICS HANGARS "Hangars" HANGAR1.PIC HANGAR2.PIC
mkdir "$game/RAID.MNU" "$game/RAID.DAT" "$game/HANGAR2.PIC"
box() { # file
  local id
  id=$(message_box)
  saved "$id" "$1"
  closed "$id" Return
}
click "$main" 540 236 # Missions (Command2)
dclick "$main" 640 200
box install-nothing-written
click "$main" 540 356 # Graphics (Command6): HANGARS, then TRACERS
dclick "$main" 640 200
box install-partly-written
if chattr +i "$program/SOUNDS" 2>/dev/null; then
  trap 'chattr -i "$program/SOUNDS"; kill $(jobs -p) 2>/dev/null || true; ! under_wine || wineserver -k
    rm -rf "$work"' EXIT
  click "$main" 64 40
  newaddon=$(win "New Addon" "$main")
  keys "$newaddon" Down Down Down Down Down Down # SOUND PACK
  # Downloads, under the path down to drive C on Linux, under C:\ on Windows
  dclick "$newaddon" 100 "$(under_wine && echo 287 || echo 388)"
  click "$newaddon" 370 252                      # its first archive
  # Install the Addon, a little higher on Windows, whose controls are smaller
  click "$newaddon" 468 "$(under_wine && echo 518 || echo 534)"
  box import-failed
  closed "$newaddon" Escape
fi

# The boxes that tell what an operation could not do, Linux only: a game folder
# and a library that refuse changes (immutable), a security copy that is missing,
# an EAW.INI without write permission, and the start after a kill.
if ! under_wine && chattr +i "$game" 2>/dev/null; then
  trap 'chattr -i "$game" "$program/SKINS" "$program/SOUNDS" 2>/dev/null; kill $(jobs -p) 2>/dev/null || true
    rm -rf "$work"' EXIT
  dclick "$main" 100 303 # the first installed graphics add-on: CLOUDS
  box uninstall-failed
  click "$main" 472 40 # Clear All
  box clear-all-failed
  chattr -i "$game"
  rm "$program/BACKUPS/EAW.INI"
  click "$main" 360 40 # Restore INI
  box restore-ini-failed
  chmod a-w "$game/EAW.INI"
  click "$main" 264 40
  settings=$(win "EAW.INI Settings" "$main")
  click "$settings" 31 172 # Start Game on Ground
  box settings-write-failed
  closed "$settings" Escape
  chmod u+w "$game/EAW.INI"
  chattr +i "$program/SKINS"
  click "$main" 152 40
  deleting=$(win "Delete Addon" "$main")
  keys "$deleting" Down Down Down # SKIN PACK
  click "$deleting" 40 151        # JG26
  click "$deleting" 532 542       # Delete Addon
  keys "$(message_box)" y         # Yes to the question
  box delete-failed
  chattr -i "$program/SKINS"
  closed "$deleting" Escape
  click "$main" 540 356 # Graphics (Command6)
  dclick "$main" 640 200
  kill -9 $(jobs -p)
  "${start[@]}" &
  box last-run-recovered
fi
