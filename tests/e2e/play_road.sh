#!/usr/bin/env bash
# Plays a stand-in game from the real program on a virtual display: Play starts
# wine (tests/e2e/stand-in-wine, first on the PATH) on the game's EAW.EXE, in the
# game folder, with the Wine prefix the game lies in. While it plays, the changes to
# the game folder are refused with a box and the folder stays as it was; when it
# ends, the main window comes back to the front and the changes work again.
# It runs under openbox, as a desktop would: the window manager decides the focus.
#   tests/e2e/play_road.sh <program folder> <screenshot folder> <drag source program>
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../scripts/drive.sh"
on_virtual_display "$0" "$@"

begin_walk "$1" "$2"
openbox --sm-disable >/dev/null 2>&1 &
drag_source=$(realpath "$3")
prefix="$HOME/.wine"
game="$prefix/drive_c/EAW"
make_game_folder "$game"
make_addon "$program" GRAPHICS CLOUDS "Clouds" CLOUD1.PIC
make_addon "$program" GRAPHICS HAZE "Haze" HAZE.PIC
settled_on_game "$program" "$game"
mkdir "$work/bin"
ln -s "$(dirname "$(realpath "$0")")/stand-in-wine" "$work/bin/wine"
export PATH="$work/bin:$PATH" STAND_IN_RECORD="$work/record" STAND_IN_END="$work/end"

step=0
begin() { step=$((step + 1)); echo "step $step: $1"; }
game_state() { (cd "$game" && find . -maxdepth 1 -type f -exec md5sum {} + | LC_ALL=C sort); }
starts() { if [ -f "$STAND_IN_RECORD" ]; then wc -l <"$STAND_IN_RECORD"; else echo 0; fi; }
focused_is() { is "$(xdotool getwindowfocus)" "$1"; }
# The game's end: the stand-in deletes the file it ended on.
end_game() { touch "$STAND_IN_END"; check "the game ends" test ! -e "$STAND_IN_END"; }
# The change is refused with a box, and the game folder stays as it was.
refused() { # what shot-name
  local box
  box=$(message_box) || box=
  check "$1 is refused with a box" test -n "$box"
  [ -z "$box" ] || { shot "$box" "$shots/refused-$2.png"; dismiss "$box"; }
  check "the game folder stays as it was" is "$(game_state)" "$playing_state"
}

begin "start and install CLOUDS"
"$program/quorvel" &
main=$(win "$main_title")
click "$main" 540 356
dclick "$main" 640 200
check "CLOUD1.PIC installed" test -f "$game/CLOUD1.PIC"

begin "Play: wine starts the game's EAW.EXE in the game folder, in the game's prefix"
click "$main" 72 525
check "the game started once" is "$(starts)" 1
check "with EAW.EXE, WINEPREFIX and the folder" is "$(cat "$STAND_IN_RECORD")" \
  "$(printf 'arguments=%s\tWINEPREFIX=%s\tfolder=%s' "$game/EAW.EXE" "$prefix" "$game")"
playing_state=$(game_state)
shot "$main" "$shots/playing.png"

begin "installing HAZE, uninstalling CLOUDS, Clear All and the settings wait"
dclick "$main" 640 200
refused "installing" install
dclick "$main" 100 304
refused "uninstalling" uninstall
click "$main" 472 40
refused "Clear All" clear-all
click "$main" 264 40
refused "the settings window" settings
check "no settings window opened" eval '! xdotool search --onlyvisible --name "EAW.INI Settings"'
click "$main" 72 525
settle 1
check "Play, disabled, starts no second game" is "$(starts)" 1

begin "another window takes the focus, as the game's would; the game ends"
timeout 120 "$drag_source" "$STAND_IN_RECORD" >/dev/null &
other_pid=$!
other=$(win "Quorvel drag source")
xdotool windowfocus "$other"
check "the other window has the focus" focused_is "$other"
end_game
check "the main window comes back with the focus" focused_is "$main"
kill "$other_pid"
wait "$other_pid" 2>/dev/null || true

begin "installing works again, and Play starts the game again"
dclick "$main" 640 200
check "HAZE.PIC installed" test -f "$game/HAZE.PIC"
click "$main" 72 525
check "the game started a second time" is "$(starts)" 2
end_game

begin "close: the add-ons go"
close_window "$main"
check "the program ends" eval '! xdotool search --onlyvisible --name "$main_title"'
check "CLOUD1.PIC and HAZE.PIC are gone" eval '! test -e "$game/CLOUD1.PIC" && ! test -e "$game/HAZE.PIC"'

end_walk
