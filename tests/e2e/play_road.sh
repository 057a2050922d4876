#!/usr/bin/env bash
# Plays a stand-in game from the real program on a virtual display. On Linux, Play
# starts wine (tests/e2e/stand-in-wine, first on the PATH) on the game's EAW.EXE, in
# the game folder, with the Wine prefix the game lies in; for a folder with
# quorvel.exe, the program runs under Wine and EAW.EXE is the stand-in game built
# for Windows (tests/e2e/StandInGame.cpp). While the game plays, the changes to the
# game folder are refused with a box and the folder stays as it was; when it ends,
# the main window comes back to the front and the changes work again. It runs
# under openbox, as a desktop would: the window manager decides the focus.
#   tests/e2e/play_road.sh <program folder> <screenshot folder> [<StandInGame.exe>]
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../scripts/drive.sh"
on_virtual_display "$0" "$@"

begin_walk "$1" "$2"
openbox --sm-disable >/dev/null 2>&1 &
prefix="$HOME/.wine"
game="$prefix/drive_c/European Air War"
make_game_folder "$game"
make_addon "$program" GRAPHICS CLOUDS "Clouds" CLOUD1.PIC
make_addon "$program" GRAPHICS HAZE "Haze" HAZE.PIC
record="$work/record" end_file="$work/end"
if [ -e "$program/quorvel.exe" ]; then
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  "$drive_folder/wine-fonts.sh"
  trap 'kill -9 $(jobs -p) 2>/dev/null || true; wineserver -k; rm -rf "$work"' EXIT
  start=(wine "$program/quorvel.exe")
  # A Windows program does not take the focus from another program's window
  # (Windows' rules for the foreground, which Wine keeps): here the window that
  # stands for the game's goes with the game, as a game's does.
  other_window=(wine notepad) other_title="Notepad" window_goes_with_game=1
  cp "$3" "$game/EAW.EXE"
  settled_on_game "$program" "$game"
  # The folders as the program under Wine names them.
  while IFS='=' read -r key value; do
    case $value in /*) value="$(winepath -w "${value%$'\r'}")"$'\r' ;; esac
    echo "$key${value:+=$value}"
  done <"$program/QUORVEL.INI" >"$work/QUORVEL.INI" && mv "$work/QUORVEL.INI" "$program/QUORVEL.INI"
  started_as=$(printf 'arguments=\tWINEPREFIX=<unset>\tfolder=C:\\European Air War')
  STAND_IN_RECORD=$(winepath -w "$record") STAND_IN_END=$(winepath -w "$end_file")
else
  start=("$program/quorvel")
  # Here another program's window keeps the focus unless Quorvel takes it.
  other_window=(xmessage -title "The game" "The game's window") other_title="^The game$"
  window_goes_with_game=
  settled_on_game "$program" "$game"
  mkdir "$work/bin"
  ln -s "$(dirname "$(realpath "$0")")/stand-in-wine" "$work/bin/wine"
  export PATH="$work/bin:$PATH"
  started_as=$(printf 'arguments=%s\tWINEPREFIX=%s\tfolder=%s' "$game/EAW.EXE" "$prefix" "$game")
  STAND_IN_RECORD=$record STAND_IN_END=$end_file
fi
export STAND_IN_RECORD STAND_IN_END

step=0
begin() { step=$((step + 1)); echo "step $step: $1"; }
game_state() { (cd "$game" && find . -maxdepth 1 -type f -exec md5sum {} + | LC_ALL=C sort); }
starts() { if [ -f "$record" ]; then wc -l <"$record"; else echo 0; fi; }
focused_is() { is "$(xdotool getwindowfocus)" "$1"; }
# The change is refused with a box, and the game folder stays as it was.
refused() { # what shot-name
  local box
  box=$(message_box) || box=
  check "$1 is refused with a box" test -n "$box"
  [ -z "$box" ] || { shot "$box" "$shots/refused-$2.png"; dismiss "$box"; }
  check "the game folder stays as it was" is "$(game_state)" "$playing_state"
}

begin "start and install CLOUDS"
"${start[@]}" &
main=$(win "$main_title")
click "$main" 540 356
dclick "$main" 640 200
check "CLOUD1.PIC installed" test -f "$game/CLOUD1.PIC"

begin "Play: the game starts in its folder"
click "$main" 72 525
check "the game started once" is "$(starts)" 1
check "as a player's Wine starts it" is "$(tr -d '\r' <"$record")" "$started_as"
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
"${other_window[@]}" &
other_pid=$!
other=$(win "$other_title")
xdotool windowfocus "$other"
check "the other window has the focus" focused_is "$other"
[ -z "$window_goes_with_game" ] || close_window "$other"
touch "$end_file"
check "the game ends: the stand-in deletes the file it ended on" test ! -e "$end_file"
check "the main window comes back with the focus" focused_is "$main"
kill "$other_pid" 2>/dev/null || true
wait "$other_pid" 2>/dev/null || true

begin "installing works again"
dclick "$main" 640 200
check "HAZE.PIC installed" test -f "$game/HAZE.PIC"

end_walk
