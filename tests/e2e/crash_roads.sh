#!/usr/bin/env bash
# Kills the real program with SIGKILL where a crash used to cost a game its files,
# then starts and closes it again and checks on disk what a player cares about:
# each game's own files byte for byte, no add-on file left, and security copies of
# the game their record names. The roads: the game-folder window browsed to a
# second game; a switch's Accept cut at several moments; a switch that failed; a
# recovery that waited for its folder while the program ran on another game.
#   tests/e2e/crash_roads.sh <program folder> <screenshot folder>
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../scripts/drive.sh"
on_virtual_display "$0" "$@"

begin_walk "$1" "$2"
trap 'chattr -i "$HOME/EAW/CLOUD1.PIC" 2>/dev/null || true; kill -9 $(jobs -p) 2>/dev/null || true
  rm -rf "$work"' EXIT
# The display resets when its last client goes, and a start just after a kill
# would find none: a client of the walk's own stays connected.
xprop -spy -root >/dev/null &
originals="$work/originals"
# Three games, each with protected files of its own, so that one game's copy
# written into another shows.
for g in EAW EAWB OTHER; do
  make_game_folder "$originals/$g"
  for f in EAW.EXE EXTRA.SPT GRB_031.SND; do echo "$g's own $f" >"$originals/$g/$f"; done
  printf '; %s\r\n' "$g" >>"$originals/$g/EAW.INI"
done
make_addon "$program" EXES NEWEXE "New EAW.EXE" EAW.EXE EXTRA.SPT
make_addon "$program" GRAPHICS CLOUDS "Clouds" CLOUD1.PIC GRB_031.SND
backups="$program/BACKUPS"
record="$backups/QUORVEL-COPIES.TXT"

start() { "$program/quorvel" & pid=$!; }
crash() { kill -9 "$pid"; wait "$pid" 2>/dev/null || true; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
fresh_games() {
  for g in EAW EAWB OTHER; do rm -rf "${HOME:?}/$g" && cp -a "$originals/$g" "$HOME/$g"; done
}
# Visible now, without waiting: the program's box, the first-run window.
box_now() {
  local id
  for id in $(xdotool search --onlyvisible --name '^QUORVEL$' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = QUORVEL ] && { echo "$id"; return 0; }
  done
  return 1
}
first_run_now() { xdotool search --onlyvisible --name "Back up copies" 2>/dev/null | head -n 1 | grep .; }
# Keeps a box's picture, whose text the walk cannot read, and answers it.
read_box() { shot "$1" "$shots/$2.png" >/dev/null; dismiss "$1"; } # box picture-name

# Answers whatever the program shows until it ends, as a player who only reads:
# boxes are read, the first-run window is closed by its frame, and the main
# window too once nothing has come over it for a second and a half.
seen=""
run_out() { # picture-prefix
  local idle=0 tries=200 id
  seen=""
  while ! ended && [ $tries -gt 0 ]; do
    tries=$((tries - 1))
    if id=$(box_now); then
      seen+="box " idle=0
      read_box "$id" "$1-box"
    elif id=$(first_run_now); then
      seen+="first-run " idle=0
      shot root "$shots/$1-first-run.png" >/dev/null
      close_window "$id"
      vanished "$id"
    elif main=$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null | head -n 1) &&
      [ -n "$main" ] && idle=$((idle + 1)) && [ $idle -ge 8 ]; then
      seen+="main "
      close_window "$main"
      idle=0
    fi
    sleep 0.2
  done
  ended
}
install() { click "$main" 540 "$1"; dclick "$main" 640 176; } # category button y
exes=436 graphics=356
from_addon() { head -c 100 "$1" | grep -q "^$2 "; } # file add-on
# The game-folder window, browsed up to the home folder and down to its nth game
# (EAW, EAWB, OTHER); each move is stored at once.
browse_to() { # n
  click "$main" 500 96
  folder_window=$(win "$main_title" "$main")
  keys "$folder_window" Tab Up Return
  for ((i = 0; i < $1; i++)); do keys "$folder_window" Down; done
  keys "$folder_window" Return
}
accept_switch() { point "$folder_window" 302 461 click 1; }
# The first-run window: Tab to the folders, the keys given, Return, "Not show this
# message more" ticked, Accept.
accept_first_run() { # keys...
  keys "$first_run" Tab "$@" Return
  click "$first_run" 20 436
  click "$first_run" 538 435
}
stored_is() { grep -qxF "RUTAEAW=$HOME/$1/"$'\r' "$program/QUORVEL.INI"; }

# A game nobody chose keeps every file as it was.
untouched() { diff -r "$HOME/$1" "$originals/$1" >/dev/null; }
# A game Quorvel worked on holds only its own files, byte for byte: Clear All
# takes out the loose files of the game's types, no other.
own_files() {
  local f
  for f in "$HOME/$1"/*; do cmp -s "$f" "$originals/$1/${f##*/}" || return 1; done
  for f in EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND MANUAL.PDF SMACKW32.DLL; do
    [ -f "$HOME/$1/$f" ] || return 1
  done
}
recorded_game() { sed -n 's|^GAME=.*/\([^/]*\)/$|\1|p' "$record"; }
# The copies are all of the game the record names, or there is no record and the
# start just made opened the first-run window.
copies_sound() {
  if [ ! -f "$record" ]; then [[ $seen == *first-run* ]]; return; fi
  local game f
  game=$(recorded_game)
  for f in EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND; do cmp -s "$backups/$f" "$originals/$game/$f" || return 1; done
}
copies_of() { [ -f "$record" ] && is "$(recorded_game)" "$1" && copies_sound; }
no_leftovers() { is "$(find "$program" "$HOME" -name '*.quorvel-*' | tr '\n' ' ')" ""; }

# Each row starts from a program that ran on EAW, accepted in the first-run window
# with "Not show this message more" ticked, and fresh games.
fresh_games
start
first_run=$(win "Back up copies")
accept_first_run Down
gone "Back up copies"
close_window "$(win "$main_title")"
while_still "the first program" kill -0 "$pid"
cp -a "$program" "$work/accepted"
row() { # title [start command]
  echo "$1"
  rm -rf "$program" && cp -a "$work/accepted" "$program"
  fresh_games
  ${2:-start}
  main=$(win "$main_title")
}

row "1. killed while the game-folder window was browsed to a second game"
install $exes
browse_to 2
check "QUORVEL.INI names EAWB at once" stored_is EAWB
crash
start
run_out browsing
check "the next start takes out the add-on, then opens the first-run window" is "$seen" "box first-run "
check "which ends the program" ended
check "EAWB keeps every file" untouched EAWB
check "EAW holds its own files only" own_files EAW
check "the copies are EAW's" copies_of EAW
check "nothing half written is left" no_leftovers

# A kill inside a switch's Accept, at once: the crash-point explorer of the core
# tries every file change of a switch; here the real program does it once.
row "2. killed inside a switch's Accept"
install $exes
install $graphics
browse_to 3
accept_switch
sleep 0.05 && crash
echo "          killed with BACKUPS: $(ls "$backups" | tr '\n' ' ')"
start
run_out switch
echo "          the next start showed: $seen"
check "the start after the kill runs, then ends" eval '[ -n "$seen" ] && ended'
check "EAW holds its own files only" own_files EAW
check "OTHER holds its own files only" own_files OTHER
check "EAWB keeps every file" untouched EAWB
check "the copies are of the game their record names, or the first-run window opened" copies_sound
check "nothing half written is left" no_leftovers

row "3. a switch that failed, then a kill"
install $graphics
chattr +i "$HOME/EAW/CLOUD1.PIC"
browse_to 3
accept_switch
read_box "$(message_box)" failed-switch
check "the game-folder window stays open" shown "$folder_window"
check "the copies are EAW's" copies_of EAW
chattr -i "$HOME/EAW/CLOUD1.PIC"
crash
start
run_out failed-switch
check "the next start takes out the add-on, then opens the first-run window" is "$seen" "box first-run "
check "which ends the program" ended
check "OTHER keeps every file" untouched OTHER
check "EAW holds its own files only" own_files EAW
check "the copies are EAW's" copies_of EAW
check "nothing half written is left" no_leftovers

# A kill with an add-on's EAW.EXE in EAW, which is then moved away: the next
# start's recovery waits, and the first-run window opens.
recovery_waits() { # picture-name
  install $exes
  crash
  mv "$HOME/EAW" "$work/EAW-away"
  start
  read_box "$(message_box)" "$1"
  first_run=$(win "Back up copies")
}
row "4. a recovery that waits for its folder, then EAW back before the first-run Accept"
recovery_waits recovery-waits
mv "$work/EAW-away" "$HOME/EAW"
accept_first_run Return Down # the home folder read again, then EAW
check "the Accept takes the add-on out and accepts EAW" eval '! first_run_now >/dev/null'
check "EAW.EXE is EAW's own again" cmp -s "$HOME/EAW/EAW.EXE" "$originals/EAW/EAW.EXE"
shot root "$shots/recovery-refused.png" >/dev/null
while box=$(box_now); do dismiss "$box"; done
if id=$(first_run_now); then close_window "$id"; else close_window "$main"; fi
check "the program ends" ended
check "the add-on's EAW.EXE never became a security copy" eval '! from_addon "$backups/EAW.EXE" NEWEXE'

row "5. a recovery that waits for its folder: another game's Accept is refused, EAW's files come back"
recovery_waits recovery-waits-on-other
accept_first_run Down Down
read_box "$(message_box)" accept-other-refused
check "the Accept of OTHER is refused: the first-run window stays open" first_run_now
check "the copies are still EAW's" copies_of EAW
close_window "$(first_run_now)"
check "the program ends" ended
mv "$work/EAW-away" "$HOME/EAW"
start
run_out recovery-done
check "EAW ends with its own EAW.EXE" cmp -s "$HOME/EAW/EAW.EXE" "$originals/EAW/EAW.EXE"
check "EAW holds its own files only" own_files EAW
check "OTHER holds its own files only" own_files OTHER
check "nothing half written is left" no_leftovers

end_walk
