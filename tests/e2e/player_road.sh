#!/usr/bin/env bash
# Walks the player's road through the real program on a virtual display, with real
# mouse clicks and keys, and checks the game folder, QUORVEL.INI and EAW.INI on disk
# after every step; exits non-zero when a check fails, keeping a screenshot of each failure.
#   tests/e2e/player_road.sh <program folder> <screenshot folder> <drag source program>
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../scripts/drive.sh"
on_virtual_display "$0" "$@"

begin_walk "$1" "$2"
drag_source=$(realpath "$3")
drive_c="$HOME/.wine/drive_c"
game="$drive_c/EAW"
make_game_folder "$game"
# Wine's drive letters: C: is drive_c, D: a folder elsewhere.
mkdir -p "$HOME/.wine/dosdevices" "$work/cdrom"
ln -s ../drive_c "$HOME/.wine/dosdevices/c:"
ln -s "$work/cdrom" "$HOME/.wine/dosdevices/d:"
# A folder a player only browses to: nothing in it may ever be deleted.
for file in EAW.EXE MAP.PAL PRECIOUS.DAT; do echo "mine $file" >"$work/cdrom/$file"; done
originals="$work/originals"
cp -r "$game" "$originals"
make_addon "$program" GRAPHICS CLOUDS "Clouds" CLOUD1.PIC CLOUD2.PIC README.TXT
make_addon "$program" GRAPHICS COCKPITS "Cockpits" CPIT.CPT EXTRA.SPT
make_addon "$program" FLIGHTMODELS SPITFIRE9 "Spitfire Mk IX" SPIT9.FLT
# A download to drop into the graphics library; it shares a file with each of the
# two graphics add-ons.
download="$work/download"
mkdir -p "$download"
make_addon "$download" . HAZE "Haze" CLOUD1.PIC CPIT.CPT HAZE.PIC
echo "the manual" >"$download/HAZE.pdf"

step=0
begin() { step=$((step + 1)); echo "step $step: $1"; }

# The value as the game reads it: names without regard to case, blanks around
# names and values dropped; empty when missing.
ini() { # file section key
  [ -f "$1" ] || return 0
  awk -v section="[$2]" -v key="$3" '
    function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { inside = (tolower(trim($0)) == tolower(section)); next }
    inside && index($0, "=") { k = trim(substr($0, 1, index($0, "=") - 1))
      if (tolower(k) == tolower(key)) { print trim(substr($0, index($0, "=") + 1)); exit } }' "$1"
}
config="$program/QUORVEL.INI"
game_ini="$game/EAW.INI"
ini_is() { is "$(ini "$1" "$2" "$3")" "$4"; } # file section key expected
stored_game_folder_is() { ini_is "$config" PATH RUTAEAW "$1"; }
no_security_copies() { is "$(ls "$program/BACKUPS")" ""; }
library_keys_stored() {
  local pair
  for pair in RUTAMODELOSVUELO:FLIGHTMODELS RUTAMISIONES:MISSIONS RUTASKINS:SKINS \
    RUTATERRENOS:TERRAINS RUTAGRAFICOS:GRAPHICS RUTASONIDOS:SOUNDS RUTAEXES:EXES RUTABACKUPS:BACKUPS; do
    is "$(ini "$config" PATH "${pair%%:*}")" "$program/${pair##*:}/" || return 1
  done
}
same_file() { cmp -s "$1" "$2"; }
crlf_only() { ! tr -d '\r' <"$1" | cmp -s - "$1" && ! grep -q $'[^\r]$' "$1"; }
# The game folder's file names, one a line, sorted.
game_files() { (cd "$game" && find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort | tr '\n' ' '); }
game_files_are() { is "$(game_files)" "$(printf '%s\n' "$@" | LC_ALL=C sort | tr '\n' ' ')"; }
from_addon() { grep -qx "$2 $1" "$game/$1"; }
original() { same_file "$game/$1" "$originals/$1"; }
backups_are_originals() {
  local file
  for file in EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND; do same_file "$program/BACKUPS/$file" "$originals/$file" || return 1; done
  is "$(ls "$program/BACKUPS" | tr '\n' ' ')" "EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND QUORVEL-COPIES.TXT " &&
    grep -qxF "GAME=$game/" "$program/BACKUPS/QUORVEL-COPIES.TXT"
}
untouched_game() { game_files_are "${game_start[@]}" && for f in "${game_start[@]}"; do original "$f" || return 1; done; }
game_start=(EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND OLD.PIC terrain.ter MANUAL.PDF SMACKW32.DLL)

ended() { ! kill -0 "$quorvel_pid"; }
first_run_open() { xdotool search --onlyvisible --name "Back up copies" >/dev/null; }
main_open() { xdotool search --onlyvisible --name "$main_title" >/dev/null; }

begin "first start: splash, then the first-run window over the disabled main window"
"$program/quorvel" &
quorvel_pid=$!
settle 0.4
backups=$(win "Back up copies")
main=$(win "$main_title")
check "QUORVEL.INI names the starting folder, Wine's drive_c" stored_game_folder_is "$drive_c/"
check "QUORVEL.INI names the eight library folders" library_keys_stored
check "no security copies yet" no_security_copies
check "game folder untouched" untouched_game
close_window "$main"
check "the disabled main window refuses to close" main_open
check "the first-run window stays" first_run_open

begin "close the first-run window by its frame: the program ends and touches nothing"
close_window "$backups"
check "the program ends" ended
check "no security copies" no_security_copies
check "game folder untouched" untouched_game
check "QUORVEL.INI names no game folder again" stored_game_folder_is ""

begin "second start: the first-run window again"
"$program/quorvel" &
quorvel_pid=$!
backups=$(win "Back up copies")
main=$(win "$main_title")

begin "choose the game folder with the keyboard: the first folder below drive_c, Enter"
keys "$backups" Tab Down Return
check "QUORVEL.INI names the game folder at once" stored_game_folder_is "$game/"
check "QUORVEL.INI still names the eight library folders" library_keys_stored
check "no security copies before Accept" no_security_copies

begin "Accept with 'Not show this message more' ticked"
click "$backups" 20 436
click "$backups" 538 435
gone "Back up copies"
check "first-run flag stored as 1" ini_is "$config" CONFIGURATION BACKUPS 1
check "four security copies equal to the game's files" backups_are_originals
check "game folder untouched" untouched_game

begin "choose Graphics and click CLOUDS: a preview only"
click "$main" 540 356
click "$main" 640 200
check "game folder untouched" untouched_game

# Drags the files from the drag source window onto the target window at x y, by
# the real drag-and-drop protocol; prints what the drag source was told.
drop_files() { # window x y files...
  local target=$1 x=$2 y=$3 source_window
  shift 3
  timeout 20 "$drag_source" "$@" >"$work/drag-answer" &
  local dragging=$!
  source_window=$(win "Quorvel drag source")
  point "$source_window" 60 30 mousedown 1
  settle 0.3
  for step in 0 4 8; do point "$target" $((x + step)) $((y + step)); settle 0.2; done
  xdotool mouseup 1
  wait $dragging || true
  cat "$work/drag-answer"
}
library_has() { is "$(ls "$program/GRAPHICS" | tr '\n' ' ')" "$*"; }
graphics_before="CLOUDS.jpg CLOUDS.txt CLOUDS.zip COCKPITS.jpg COCKPITS.txt COCKPITS.zip "

begin "drop HAZE.zip with a PDF: refused, nothing written"
answer=$(drop_files "$main" 300 250 "$download/HAZE.zip" "$download/HAZE.pdf")
check "the drag source is told the drop is refused" is "$answer" refused
check "the graphics library is unchanged" library_has "$graphics_before"

begin "drop HAZE.zip with its description and picture: into the graphics library"
answer=$(drop_files "$main" 300 250 "$download/HAZE.zip" "$download/HAZE.txt" "$download/HAZE.jpg")
check "the drag source is told the files were taken" is "$answer" dropped
in_library() { library_has "CLOUDS.jpg CLOUDS.txt CLOUDS.zip COCKPITS.jpg COCKPITS.txt COCKPITS.zip HAZE.jpg HAZE.txt HAZE.zip "; }
check "the three files are in the graphics library" in_library
check "they are copies of the download, which stays" \
  eval 'same_file "$download/HAZE.zip" "$program/GRAPHICS/HAZE.zip" && test -f "$download/HAZE.txt"'
check "game folder untouched" untouched_game

begin "double-click CLOUDS: installed"
dclick "$main" 640 200
check "CLOUD1.PIC, CLOUD2.PIC and README.TXT extracted" \
  game_files_are "${game_start[@]}" CLOUD1.PIC CLOUD2.PIC README.TXT
check "CLOUD1.PIC holds the add-on's bytes" from_addon CLOUD1.PIC CLOUDS
check "EAW.INI untouched" original EAW.INI

begin "double-click COCKPITS: a second graphics add-on, replacing EXTRA.SPT"
dclick "$main" 640 200
check "CPIT.CPT beside the clouds" \
  game_files_are "${game_start[@]}" CLOUD1.PIC CLOUD2.PIC README.TXT CPIT.CPT
check "EXTRA.SPT is the add-on's" from_addon EXTRA.SPT COCKPITS

begin "click the dropped HAZE: its preview names the add-ons whose files it would replace"
click "$main" 640 200
check "nothing is installed by a click" \
  game_files_are "${game_start[@]}" CLOUD1.PIC CLOUD2.PIC README.TXT CPIT.CPT

begin "install HAZE over both"
dclick "$main" 640 200
check "HAZE's CLOUD1.PIC and CPIT.CPT replace the others'" \
  eval 'from_addon CLOUD1.PIC HAZE && from_addon CPIT.CPT HAZE && from_addon HAZE.PIC HAZE'

begin "uninstall HAZE: the files CLOUDS and COCKPITS wrote come back"
dclick "$main" 60 330
check "CLOUD1.PIC is the clouds' again, CPIT.CPT the cockpits'" \
  eval 'from_addon CLOUD1.PIC CLOUDS && from_addon CPIT.CPT COCKPITS'
check "HAZE.PIC is gone" \
  game_files_are "${game_start[@]}" CLOUD1.PIC CLOUD2.PIC README.TXT CPIT.CPT

begin "double-click CLOUDS in the installed graphics list: uninstalled"
dclick "$main" 100 304
check "the clouds' files are gone, the cockpits' stay" game_files_are "${game_start[@]}" CPIT.CPT
check "no work folder left in the program folder" test ! -e "$program/CLOUDS"
check "the security copies are unchanged" backups_are_originals

begin "settings window: move the red HUD slider, type a pilot name, close"
click "$main" 264 40
settings=$(win "EAW.INI Settings" "$main")
before_hud=$(ini "$game_ini" DISPLAY HudColor_Green_R)
click "$settings" 385 232
click "$settings" 120 41
keys "$settings" ctrl+a
typed "$settings" "Leutnant Adler"
hud_red_grew() { [ "$(ini "$game_ini" DISPLAY HudColor_Green_R)" -gt "$before_hud" ]; }
check "the slider wrote a larger HudColor_Green_R" hud_red_grew
check "the pilot name is written" ini_is "$game_ini" EAW PlayerPilotName "Leutnant Adler"
check "EAW.INI keeps its CRLF line endings" crlf_only "$game_ini"
check "the rest of EAW.INI is kept" ini_is "$game_ini" "Remappable Keys" "COCKPIT ON/OFF" F1
keys "$settings" Escape
gone "EAW.INI Settings"

begin "Restore INI"
click "$main" 360 40
check "EAW.INI is the security copy again" original EAW.INI

begin "Delete Addon, then the game-folder window: choose Wine's drive D: with the keyboard"
click "$main" 152 40
deleting=$(win "Delete Addon")
xdotool windowraise "$main"
click "$main" 500 96
folder_window=$(win "$main_title" "$main")
check "the picker starts at the game folder" stored_game_folder_is "$game/"
keys "$folder_window" End
check "choosing drive D: stores it at once" stored_game_folder_is "$HOME/.wine/dosdevices/d:/"

begin "close Delete Addon and try Help: the main window stays disabled"
close_window "$deleting"
gone "Delete Addon"
click "$main" 584 40
help_open() { xdotool search --onlyvisible --name "Quorvel v1.0 - Help" >/dev/null; }
check "Help does not open over the game-folder window" eval '! help_open'

begin "Cancel in the game-folder window"
click "$folder_window" 388 461
gone_folder() { ! xdotool search --onlyvisible --name "$main_title" | grep -vxq "$main"; }
check "the window closes" gone_folder
check "Cancel stores the game folder again" stored_game_folder_is "$game/"
check "the security copies are unchanged" backups_are_originals
check "the cockpits stay installed" game_files_are "${game_start[@]}" CPIT.CPT

begin "Clear All"
click "$main" 472 40
check "files of the game's types are gone, others stay, protected files back" \
  game_files_are EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND MANUAL.PDF SMACKW32.DLL
check "EXTRA.SPT is the game's own again" original EXTRA.SPT
check "EAW.EXE and GRB_031.SND are the game's own" eval 'original EAW.EXE && original GRB_031.SND'

begin "install a flight model with Enter and close the program"
click "$main" 540 196
click "$main" 640 200
keys "$main" Return
check "SPIT9.FLT installed" from_addon SPIT9.FLT SPITFIRE9
close_window "$main"
check "the program ends" ended
check "closing cleared the flight model" game_files_are EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND MANUAL.PDF SMACKW32.DLL
check "QUORVEL.INI still names the game folder" stored_game_folder_is "$game/"
check "first-run flag still 1" ini_is "$config" CONFIGURATION BACKUPS 1
check "drive D:, only browsed to, keeps every file" \
  is "$(cd "$work/cdrom" && ls | tr '\n' ' ')" "EAW.EXE MAP.PAL PRECIOUS.DAT "

begin "third start: install SPITFIRE9 and CLOUDS, save them as the set Evening with Ctrl+S"
"$program/quorvel" &
quorvel_pid=$!
main=$(win "$main_title")
click "$main" 540 196
click "$main" 640 200
keys "$main" Return
click "$main" 540 356
click "$main" 640 200
keys "$main" Return
keys "$main" ctrl+s
name_dialog=$(win "Save a set")
typed "$name_dialog" "Evening"
keys "$name_dialog" Return
gone "Save a set"
# A set's add-ons, one a line, as its file lists them.
set_lines() { tr -d '\r' <"$program/SETS/$1.INI" | grep -v '^[;[]' | tr '\n' ' '; }
check "SETS/Evening.INI lists both in install order" \
  is "$(set_lines Evening)" "FLIGHTMODELS=SPITFIRE9 GRAPHICS=CLOUDS "
# Every file of the game folder with its checksum.
game_state() { (cd "$game" && find . -maxdepth 1 -type f -exec md5sum {} + | LC_ALL=C sort); }
before_close=$(game_state)

begin "close: the installed add-ons become the set Last run, then Clear All"
close_window "$main"
check "the program ends" ended
check "SETS/Last run.INI holds what was installed" \
  is "$(set_lines "Last run")" "FLIGHTMODELS=SPITFIRE9 GRAPHICS=CLOUDS "
check "closing cleared the add-ons' files of the game's types" \
  game_files_are EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND MANUAL.PDF README.TXT SMACKW32.DLL

begin "fourth start: the menu key on the installed graphics list, Down, Return puts Last run back"
"$program/quorvel" &
quorvel_pid=$!
main=$(win "$main_title")
click "$main" 100 304
keys "$main" Menu Down Return
settle 1
check "the game folder is as it was before the close" is "$(game_state)" "$before_close"
close_window "$main"
check "the program ends" ended

begin "fifth start: install MOVIES, which replaces SMACKW32.DLL, README.TXT and EAW.CFG; kill -9"
echo "game EAW.CFG" >"$game/EAW.CFG"
make_addon "$program" GRAPHICS MOVIES "Movies" SMACKW32.DLL README.TXT EAW.CFG
before_install=$(game_state)
"$program/quorvel" &
quorvel_pid=$!
main=$(win "$main_title")
click "$main" 540 356
click "$main" 640 200
keys "$main" End Return
check "the three files are the add-on's" \
  eval 'from_addon SMACKW32.DLL MOVIES && from_addon README.TXT MOVIES && from_addon EAW.CFG MOVIES'
kill -9 "$quorvel_pid"
wait "$quorvel_pid" 2>/dev/null || true

begin "rename the game folder and start: the list waits, No keeps it"
moved="$drive_c/EAW MOVED"
mv "$game" "$moved"
game=$moved
"$program/quorvel" &
quorvel_pid=$!
box=$(message_box)
shot "$box" "$shots/moved-game-waits.png"
dismiss "$box"
check "the list of the add-ons waits" grep -q "NAME=MOVIES" "$program/INSTALLED.TXT"

begin "the first-run window: pick the game where it is now, tick 'Not show', Accept"
backups=$(win "Back up copies")
keys "$backups" Tab Down Return
check "QUORVEL.INI names the moved game" stored_game_folder_is "$moved/"
click "$backups" 20 436
click "$backups" 538 435
box=$(message_box)
shot "$box" "$shots/moved-game-taken-out.png"
dismiss "$box"
gone "Back up copies"
check "the game holds its own files again" is "$(game_state)" "$before_install"
check "the list is gone" test ! -e "$program/INSTALLED.TXT"
check "nothing is kept for the old folder" test ! -e "$program/BACKUPS/KEPT"
check "nothing was made where the game was" test ! -e "$drive_c/EAW"

no_box() {
  local id
  for id in $(xdotool search --onlyvisible --name '^QUORVEL$' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" != QUORVEL ] || return 1
  done
}

begin "close, and start again: no box"
main=$(win "$main_title")
close_window "$main"
check "the program ends" ended
check "the game still holds its own files" is "$(game_state)" "$before_install"
"$program/quorvel" &
quorvel_pid=$!
main=$(win "$main_title")
settle 1
check "no box at the start" no_box
close_window "$main"
check "the program ends" ended

end_walk
