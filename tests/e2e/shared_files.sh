#!/usr/bin/env bash
# Two add-ons that overwrite the game's own SMACKW32.DLL, README.TXT and EAW.CFG,
# installed and uninstalled in the same order through the real program: after each
# step the game folder holds the add-ons' files while one holds the name and the
# game's own, byte for byte, once none does; a close with both installed leaves the
# game folder as it was and keeps nothing. The preview of the first add-on is kept
# as a picture, since the walk cannot read its text.
#   tests/e2e/shared_files.sh <program folder> <screenshot folder>
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../scripts/drive.sh"
on_virtual_display "$0" "$@"

begin_walk "$1" "$2"
game="$work/EAW"
make_game_folder "$game"
rm "$game"/{OLD.PIC,terrain.ter,MANUAL.PDF}
# The game's own files with bytes a text copy would change.
for file in SMACKW32.DLL README.TXT EAW.CFG DDRAW.DLL; do
  { echo "game $file"; printf 'line\r\n\0\377end'; } >"$game/$file"
done
make_addon "$program" GRAPHICS GFX "Sharp graphics" SMACKW32.DLL README.TXT EAW.CFG GFX.PIC
make_addon "$program" SOUNDS SND "Engine sounds" README.TXT SND.WSD
settled_on_game "$program" "$game"
# The security copies of an accepted first run, which the start takes as the game's.
cp "$game"/{EAW.INI,EXTRA.SPT,GRB_031.SND} "$program/BACKUPS/"
originals="$work/originals"
cp -a "$game" "$originals"
kept="$program/BACKUPS/KEPT"

graphics=356 sounds=396
gfx_files="GFX.PIC" snd_files="SND.WSD"
step=0
begin() { step=$((step + 1)); echo "step $step: $1"; }
ended() { ! kill -0 "$quorvel_pid" 2>/dev/null; }
from_addon() { grep -qx "$2 $1" "$game/$1"; } # file add-on
original() { cmp -s "$game/$1" "$originals/$1"; }
holds() { if [ "$2" = game ]; then original "$1"; else from_addon "$1" "$2"; fi; } # file owner
sorted() { printf '%s\n' "$@" | LC_ALL=C sort | tr '\n' ' '; }
listing() { (cd "$1" && find . -type f -printf '%f\n' | LC_ALL=C sort | tr '\n' ' '); }
# The game folder holds the game's files and the named add-on files, and each of
# the three shared names holds the file of the owner given for it.
game_is() { # owner-of-SMACKW32.DLL owner-of-README.TXT owner-of-EAW.CFG [add-on files...]
  local dll=$1 readme=$2 cfg=$3 file
  shift 3
  # shellcheck disable=SC2046 # the original names hold no blanks
  is "$(listing "$game")" "$(sorted $(ls "$originals") "$@")" || return 1
  holds SMACKW32.DLL "$dll" && holds README.TXT "$readme" && holds EAW.CFG "$cfg" || return 1
  for file in EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND DDRAW.DLL; do original "$file" || return 1; done
}
# BACKUPS/KEPT holds exactly these names, each the game's own file, and the list
# of installed add-ons names each once.
kept_are() { # names...
  local file
  is "$([ -d "$kept" ] && listing "$kept")" "$(sorted "$@" | sed 's/^ $//')" || return 1
  for file in "$@"; do
    cmp -s "$(find "$kept" -type f -name "$file")" "$originals/$file" || return 1
    is "$(grep -cx "KEPT=.* $file" "$program/INSTALLED.TXT")" 1 || return 1
  done
}
pristine() { diff -r "$game" "$originals" >&2; }
install() { click "$main" 540 "$1"; dclick "$main" 640 176; } # category button y

begin "start, choose Graphics and click GFX: a preview only"
"$program/quorvel" &
quorvel_pid=$!
main=$(win "$main_title")
click "$main" 540 $graphics
click "$main" 640 176
check "game folder untouched" pristine
# Its last line should read "Replaces files of: the game (3)".
shot "$main" "$shots/preview-gfx.png"

begin "install GFX: the game's three files are kept, then replaced"
dclick "$main" 640 176
check "GFX holds the three names" game_is GFX GFX GFX $gfx_files
check "the game's three files are kept and listed" kept_are SMACKW32.DLL README.TXT EAW.CFG

begin "install SND: README.TXT is GFX's, so nothing more is kept"
install $sounds
check "SND holds README.TXT, GFX the others" game_is GFX SND GFX $gfx_files $snd_files
check "still the same three kept" kept_are SMACKW32.DLL README.TXT EAW.CFG

begin "uninstall GFX: the game's SMACKW32.DLL and EAW.CFG come back, README.TXT stays SND's"
dclick "$main" 100 303
check "the game's DLL and CFG back byte for byte" game_is game SND game $snd_files
check "only README.TXT still kept" kept_are README.TXT

begin "uninstall SND: the game's README.TXT comes back"
dclick "$main" 100 391
check "the game folder equals the pristine one" pristine
check "nothing kept" kept_are

begin "install GFX and SND again, then close the program"
install $graphics
install $sounds
check "both installed over the game's files" game_is GFX SND GFX $gfx_files $snd_files
check "the game's three files kept" kept_are SMACKW32.DLL README.TXT EAW.CFG
close_window "$main"
check "the program ends" ended
check "the game folder equals the pristine one" pristine
check "no list of installed add-ons left" test ! -e "$program/INSTALLED.TXT"
check "no kept file left" is "$([ -d "$kept" ] && listing "$kept")" ""

end_walk
