#!/usr/bin/env bash
# One copy of the program works on one game folder, however a second copy reaches
# it: from another program folder through a link, with another temporary folder, as
# another user or through a bind mount, the second copy says that another copy works
# on the game folder and ends, clearing nothing. SIGHUP clears the game folder as a
# close does.
#   tests/e2e/game_folder_lock.sh <program folder> <screenshot folder>
set -euo pipefail
source "$(dirname "$(realpath "$0")")/../../scripts/drive.sh"
on_virtual_display "$0" "$@"

built=$(realpath "$1")
begin_walk "$1" "$2"
chmod 755 "$work" # another user's copy reaches the game folder through it
game="$work/EAW"
make_game_folder "$game"
make_addon "$program" GRAPHICS CLOUDS "Clouds" CLOUD1.PIC
settled_on_game "$program" "$game"
ln -s "$game" "$work/Link"
mkdir "$work/Mount" "$work/Temp"
for second in ByLink Second Mounted; do fresh_program_folder "$built" "$work/$second"; done
settled_on_game "$work/ByLink" "$work/Link"
settled_on_game "$work/Second" "$game"
settled_on_game "$work/Mounted" "$game"
# Named as the copy sees it once the game folder is mounted there.
sed -i "s|^RUTAEAW=.*|RUTAEAW=$work/Mount/\r|" "$work/Mounted/QUORVEL.INI"

alive() { kill -0 "$1" 2>/dev/null; }
main_windows() { xdotool search --onlyvisible --name "$main_title" | wc -l; }
install_clouds() { # main window
  click "$1" 540 356
  dclick "$1" 640 200
  check "CLOUD1.PIC installed" test -f "$game/CLOUD1.PIC"
}

# The second copy, started by the command, tells and ends without a main window.
refused() { # what command...
  local what=$1 copy told
  shift
  echo "a second copy $what"
  "$@" &
  copy=$!
  told=$(message_box) || told=
  check "says another copy works on the game folder" test -n "$told"
  [ -z "$told" ] || dismiss "$told"
  check "and ends" eval '! alive '"$copy"
  ! alive "$copy" || kill -9 "$copy"
  check "with no main window of its own" is "$(main_windows)" 1
  check "having cleared nothing" test -f "$game/CLOUD1.PIC"
}

# Another user's copy, when this runs as root and can start one: its own home,
# runtime and temporary folders (as Windows and pam_tmpdir give each account) and a
# copy of the display's key.
other_user=()
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  uid=$(id -u nobody 2>/dev/null || echo 65534)
  fresh_program_folder "$built" "$work/OtherUser"
  settled_on_game "$work/OtherUser" "$game"
  mkdir -p "$work/other/home" "$work/other/runtime" "$work/other/temp"
  [ -z "${XAUTHORITY:-}" ] || cp "$XAUTHORITY" "$work/other/home/.Xauthority"
  chown -R "$uid:$uid" "$work/OtherUser" "$work/other"
  chmod 700 "$work/other/runtime"
  other_user=(setpriv --reuid="$uid" --regid="$uid" --clear-groups env HOME="$work/other/home"
    XDG_RUNTIME_DIR="$work/other/runtime" TMPDIR="$work/other/temp"
    XAUTHORITY="$work/other/home/.Xauthority")
fi

echo "first copy: install an add-on"
"$program/quorvel" &
first=$!
main=$(win "$main_title")
install_clouds "$main"

refused "through a link to the game folder" "$work/ByLink/quorvel"
refused "with another temporary folder" env TMPDIR="$work/Temp" "$work/Second/quorvel"
if [ ${#other_user[@]} -gt 0 ]; then
  refused "started by another user" "${other_user[@]}" "$work/OtherUser/quorvel"
else
  echo "  SKIPPED a second copy by another user: this walk needs root and setpriv"
fi
# The mount lives in a mount namespace of the copy's own and ends with it.
if unshare -m mount --bind "$game" "$work/Mount" 2>/dev/null; then
  refused "through a bind mount of the game folder" unshare -m sh -c \
    'mount --bind "$1" "$2" && exec "$3"' sh "$game" "$work/Mount" "$work/Mounted/quorvel"
else
  echo "  SKIPPED a second copy through a bind mount: this system refuses mounts here"
fi

echo "SIGHUP ends the program as a close does"
kill -HUP "$first"
check "the program ends" eval '! alive '"$first"
check "having cleared the game folder" eval '! test -f "$game/CLOUD1.PIC"'
check "and left no list of installed add-ons" eval '! test -f "$program/INSTALLED.TXT"'

end_walk
