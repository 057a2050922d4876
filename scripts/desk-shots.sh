#!/usr/bin/env bash
# Screenshots of the whole screen under the openbox window manager, at scale 1 and
# at scale 2 (name-x2.png), of the boxes and windows around a failed install and a
# crash, driving the real program with real mouse clicks and keys:
#   empty-zip-5s           an install of an empty archive: its box five seconds on
#   recovery-box           the start after a kill -9 with an add-on installed
#   first-run-after-crash  the first-run window that comes after that box
#   first-run-moved-game   the game renamed after a kill -9: the box after picking
#                          it where it is now and Accept, over the first-run window
#   scripts/desk-shots.sh [program folder] [output folder]
# The output folder is a new temporary one unless given; its name is printed.
# Needs xvfb, openbox, xdotool, x11-utils, imagemagick, zip and python3.
set -euo pipefail

source_folder=$(realpath "${1:-build/dev/Quorvel}")
if [ -z "${QUORVEL_SCALE:-}" ]; then
  out=$(realpath -m "${2:-$(mktemp -d)}")
  mkdir -p "$out"
  QUORVEL_SCALE=1 "$0" "$source_folder" "$out"
  QUORVEL_SCALE=2 "$0" "$source_folder" "$out"
  echo "screenshots in $out"
  exit
fi
scripts=$(dirname "$(realpath "$0")")
# shellcheck source=scripts/drive.sh
source "$scripts/drive.sh"
on_virtual_display "$0" "$@"
out=$2
suffix=$([ "$scale" = 1 ] && echo "" || echo "-x$scale")

work=$(mktemp -d)
program="$work/Quorvel"
fresh_program_folder "$source_folder" "$program"
private_home "$work"
command -v openbox >/dev/null || { echo "openbox is not installed (scripts/setup.sh test)" >&2; exit 2; }
openbox --sm-disable >/dev/null 2>&1 &
# The program and openbox end before the folders they may still write in go.
trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$work"' EXIT
sleep 1

# The first-run window starts at Wine's drive C, where the game is the only folder.
game="$HOME/.wine/drive_c/EAW"
make_game_folder "$game"
# An archive without members: its end record alone.
{ printf 'PK\005\006'; head -c 18 /dev/zero; } >"$program/GRAPHICS/AAEMPTY.zip"
make_addon "$program" FLIGHTMODELS SPITFIRE9 "Spitfire Mk IX" SPIT9.FLT SMACKW32.DLL EXTRA.SPT

started() { "$program/quorvel" & quorvel=$!; }
# Prints what lies over the window in the window manager's stacking; fails if any.
uncovered() { # window
  PYTHONDONTWRITEBYTECODE=1 python3 - "$scripts/walk" "$1" <<'EOF'
import sys
sys.path.insert(0, sys.argv[1])
import desk
order = desk.stacking()
box = desk.place(int(sys.argv[2]))
over = [w for w in map(desk.place, order[order.index(box.id) + 1:]) if w and w.overlaps(box)]
for window in over:
    print(f"'{box.title}' is covered by '{window.title}'")
sys.exit(1 if over else 0)
EOF
}
# The whole screen, once it is checked that nothing lies over the window shown.
shot_of() { # window file
  uncovered "$1" || echo "  the window of $2 is covered" >&2
  shot root "$out/$2$suffix.png"
}
# Accepts the folder the first-run window shows, leaving "Not show this message
# more" unticked, so that the window comes at every start.
accepted() { # first-run window
  click "$1" 538 435
  gone "Back up copies"
}
# SPITFIRE9 installed, replacing two of the game's files, then the program killed.
killed_with_addon_installed() {
  local main
  main=$(win "$main_title")
  click "$main" 540 196 # Flight models
  dclick "$main" 640 200
  while_still "the install" test ! -e "$game/SPIT9.FLT"
  settle 1
  kill -9 "$quorvel"
  wait "$quorvel" 2>/dev/null || true
}

started
first_run=$(win "Back up copies")
keys "$first_run" Tab Down Return # the game, the only folder below drive C
accepted "$first_run"
main=$(win "$main_title")
click "$main" 540 356 # Graphics
dclick "$main" 640 200 # AAEMPTY, first in the list
box=$(message_box)
sleep 5
shot_of "$box" empty-zip-5s
dismiss "$box"

killed_with_addon_installed
started
box=$(message_box)
shot_of "$box" recovery-box
dismiss "$box"
first_run=$(win "Back up copies")
settle 1
shot_of "$first_run" first-run-after-crash
accepted "$first_run"

killed_with_addon_installed
mv "$game" "$game MOVED"
started
dismiss "$(message_box)" # the game cannot be reached: No keeps the list
first_run=$(win "Back up copies")
keys "$first_run" Tab Down Return # the moved game, the only folder below drive C
click "$first_run" 538 435
box=$(message_box)
shot_of "$box" first-run-moved-game
dismiss "$box"
