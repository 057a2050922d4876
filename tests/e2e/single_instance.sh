#!/usr/bin/env bash
# Starts the real program twice on one program folder: the second copy ends at once
# and brings the first forward, which keeps its installed add-on. After the first is
# killed with SIGKILL, the next start takes its add-on out and says so; a copy of the
# program folder on the same game folder ends; SIGTERM clears like a close; a lock
# left on another computer makes the start ask.
#   tests/e2e/single_instance.sh <program folder> <screenshot folder>
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../scripts/drive.sh"
on_virtual_display "$0" "$@"

begin_walk "$1" "$2"
game="$work/EAW"
make_game_folder "$game"
make_addon "$program" GRAPHICS CLOUDS "Clouds" CLOUD1.PIC
settled_on_game "$program" "$game"
main_windows() { xdotool search --onlyvisible --name "$main_title" | wc -l; }
alive() { kill -0 "$1"; }

echo "first copy: install an add-on"
"$program/quorvel" &
first=$!
main=$(win "$main_title")
click "$main" 540 356
dclick "$main" 640 200
check "CLOUD1.PIC installed" test -f "$game/CLOUD1.PIC"
xmessage -title "another program" -geometry 400x200+350+300 "another program" &
other=$(win "another program")
# Without a window manager, "in front" is the order of the screen's windows.
in_front() { # window other: window lies above other
  local order
  order=$(xwininfo -root -children | awk '/^ +0x/ { print $1 }')
  [ "$(grep -nx "$(printf '0x%x' "$1")" <<<"$order" | cut -d: -f1)" -lt \
    "$(grep -nx "$(printf '0x%x' "$2")" <<<"$order" | cut -d: -f1)" ]
}
check "another program's window lies in front" in_front "$other" "$main"

echo "second copy on the same program folder"
"$program/quorvel" &
second=$!
check "the second copy ends at once" eval '! alive '"$second"
# A second copy that runs on would hold the wait below for good: the walk ends
# here, and its exit kills what it started.
if alive "$second"; then
  kill -9 "$second"
  end_walk
fi
wait "$second" && second_status=0 || second_status=$?
check "with status 0" is "$second_status" 0
check "the first copy runs on" alive "$first"
check "the first copy's main window comes to the front" in_front "$main" "$other"
check "one main window" is "$(main_windows)" 1
check "the installed add-on stays: the second copy cleared nothing" test -f "$game/CLOUD1.PIC"

echo "the first copy is killed; the next start takes out what it had installed"
kill -9 "$first"
wait "$first" 2>/dev/null || true
"$program/quorvel" &
third=$!
told=$(message_box)
check "the next start tells what it took out" test -n "$told"
check "the add-on's file is gone before anything else" eval '! test -f "$game/CLOUD1.PIC"'
check "and the game's own files are back" is "$(cat "$game/EAW.EXE")" "game EAW.EXE"
dismiss "$told"
main=$(win "$main_title")
check "the copy after SIGKILL runs" alive "$third"
click "$main" 540 356
dclick "$main" 640 200
check "an add-on installed again" test -f "$game/CLOUD1.PIC"

echo "a copy of the program folder, made while the program runs, on the same game folder"
cp -r "$program" "$work/Copy"
"$work/Copy/quorvel" &
copy=$!
told=$(message_box)
check "the copy asks about the lock file it was copied with" test -n "$told"
dismiss "$told"
told=$(message_box)
check "then says another copy works on the game folder" test -n "$told"
dismiss "$told"
check "and ends" eval '! alive '"$copy"
check "having cleared nothing" test -f "$game/CLOUD1.PIC"

echo "SIGTERM ends the program as a close does"
kill -TERM "$third"
check "the program ends" eval '! alive '"$third"
check "having cleared the game folder" eval '! test -f "$game/CLOUD1.PIC"'
check "and left no list of installed add-ons" eval '! test -f "$program/INSTALLED.TXT"'

echo "a lock left on another computer"
printf '4242\nquorvel\nanother-computer\n' >"$program/QUORVEL.LCK"
"$program/quorvel" &
fourth=$!
told=$(message_box)
check "the start asks whether to start anyway" test -n "$told"
dismiss "$told"
main=$(win "$main_title")
check "and runs when told to" alive "$fourth"
close_window "$main"
check "it has ended" eval '! alive '"$fourth"

end_walk
