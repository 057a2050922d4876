# Shared by the end-to-end walk and the screenshot script: drives the real program
# on a virtual display with real mouse clicks and keys. Source it; it needs xvfb,
# xdotool, imagemagick, zip and python3.
# Clicks use window-relative coordinates of the fixed layouts at the normal font,
# multiplied by QUORVEL_SCALE (1, 1.5 or 2), which the program gets as QT_SCALE_FACTOR
# (under Wine, as the display's DPI instead).

drive_folder=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
scale=${QUORVEL_SCALE:-1}
export QT_SCALE_FACTOR=$scale

# A length of the layouts at the scale driven, rounded as Qt rounds it.
scaled() { awk -v size="$1" -v scale="$scale" 'BEGIN { printf "%d", size * scale + 0.5 }'; }

# Runs the calling script again on a virtual display of its own unless it is on one.
on_virtual_display() { # script args...
  if [ -z "${QUORVEL_ON_DISPLAY:-}" ]; then
    local size
    size="$(scaled 1100)x$(scaled 800)"
    exec env QUORVEL_ON_DISPLAY=1 "$drive_folder/virtual-display.sh" "$size" "$@"
  fi
}

# A private runtime folder and home, so the program touches nothing of the machine's.
private_home() { # folder
  export HOME="$1/home" XDG_RUNTIME_DIR="$1/runtime"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# The id of the visible window whose title matches, other than the window given
# second, waiting up to ten seconds (xdotool's own --sync can wait forever).
win() { # title-pattern [window-to-skip]
  local id tries=50
  until id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}" | head -n 1) &&
    [ -n "$id" ]; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || { echo "no window '$1'" >&2; return 1; }
    sleep 0.2
  done
  echo "$id"
}

# The id of the program's message box, titled "QUORVEL" in capitals (a search
# ignores case, and the splash and progress windows are "Quorvel"), waiting up to
# ten seconds.
message_box() {
  local id tries=50
  while :; do
    for id in $(xdotool search --onlyvisible --name '^QUORVEL$' 2>/dev/null); do
      [ "$(xdotool getwindowname "$id")" = QUORVEL ] && { echo "$id"; return 0; }
    done
    tries=$((tries - 1))
    [ $tries -gt 0 ] || { echo "no message box" >&2; return 1; }
    sleep 0.2
  done
}

shown() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# Presses Return on a message box until it is gone: a box shown while its
# window comes up may lose the focus once to it.
dismiss() { # box
  local tries=10
  while shown "$1" && [ $tries -gt 0 ]; do
    keys "$1" Return 2>/dev/null || true
    tries=$((tries - 1))
  done
}

# Waits up to ten seconds while the command succeeds.
while_still() { # what command...
  local what=$1 tries=50
  shift
  while "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || { echo "$what still open" >&2; return 1; }
    sleep 0.2
  done
}
# Waits until no visible window's title matches.
gone() { while_still "window '$1'" xdotool search --onlyvisible --name "$1"; }
# Waits until the window is no longer shown.
vanished() { while_still "window $1" shown "$1"; }

# A check passes as soon as its command succeeds within five seconds, so a slow
# machine gets time without every step waiting on a fixed pause. Failures count,
# each with a screenshot of the whole screen as it was.
failures=0
check() { # description command...
  local what=$1 tries=25
  shift
  until "$@" 2>/dev/null; do
    tries=$((tries - 1))
    if [ $tries -eq 0 ]; then
      "$@" || true
      failures=$((failures + 1))
      echo "  FAILED  $what"
      shot root "$shots/failed-$failures.png"
      return
    fi
    sleep 0.2
  done
  echo "  ok      $what"
}

is() { [ "$1" = "$2" ] || { echo "          got '$1', expected '$2'" >&2; return 1; }; }
# Ends a walk: its status tells whether every check passed.
end_walk() {
  [ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
  echo "all checks passed"
}

settle() { sleep "${1:-0.3}"; }
point() { # window x y [more xdotool commands...]
  local id=$1 x=$2 y=$3
  shift 3
  xdotool mousemove --window "$id" "$(scaled "$x")" "$(scaled "$y")" "$@"
}
click() { point "$1" "$2" "$3" click "${4:-1}"; settle; }
dclick() { point "$1" "$2" "$3" click --repeat 2 --delay 80 1; settle 0.6; }
keys() { # window key...
  local id=$1; shift
  xdotool windowfocus "$id"; settle 0.2
  for key in "$@"; do xdotool key "$key"; sleep 0.15; done
  settle
}
typed() { xdotool windowfocus "$1"; settle 0.2; xdotool type --delay 40 "$2"; settle; }
shot() { # window file
  settle 0.4
  import -window "$1" "$2"
  echo "saved $2"
}
# Closes a window as a window manager's close button does.
close_window() { python3 "$drive_folder/close_window.py" "$1"; settle; }

# A game folder: the four protected files, an EAW.INI with CRLF line endings, and
# loose files of game file types and of other types.
make_game_folder() { # folder
  local game=$1
  mkdir -p "$game"
  for file in EAW.EXE EXTRA.SPT GRB_031.SND OLD.PIC terrain.ter MANUAL.PDF SMACKW32.DLL; do
    echo "game $file" >"$game/$file"
  done
  printf '%s\r\n' '[EAW]' 'PlayerPilotName=Hauptmann Kurz' 'LeaderChar=42' 'WingmanChar=43' \
    'ExtraSquads=3' '[NETOPTION]' 'AI_PlaneUpdateRate=200' 'NoAI=1' 'AllowRespawn=1' \
    '[GRAPHICS]' 'width=1024' 'height=768' '[DISPLAY]' 'HudColor_Green_R=0' 'HudColor_Green_G=200' \
    'HudColor_Green_B=40' '[CONTROLS]' 'Force Feedback=1' 'Windows JOYSTICK=1' 'JoystickDeadZone=5' \
    'Force Feedback Gain=7500' 'Flight Sensitivity=1.50' 'Camera Sensitivity=0.80' \
    '[Remappable Keys]' 'CHASE VIEW=F2' 'COCKPIT ON/OFF=F1' >"$game/EAW.INI"
}

# An add-on package in a library folder: archive, description and picture.
make_addon() { # program folder name title members...
  local program=$1 folder=$2 name=$3 title=$4
  shift 4
  local stage
  stage=$(mktemp -d)
  for member in "$@"; do echo "$name $member" >"$stage/$member"; done
  (cd "$stage" && zip -q -r "$program/$folder/$name.zip" .)
  rm -rf "$stage"
  printf '%s\r\n\r\nAn add-on for European Air War.\r\n' "$title" >"$program/$folder/$name.txt"
  convert -size 264x193 gradient:'#3b4a2f-#c9b98a' -gravity center -fill white \
    -pointsize 22 -annotate 0 "$title" "$program/$folder/$name.jpg"
}

# Settles a program folder on a game folder as an accepted first run leaves it: its
# QUORVEL.INI names the game and the library folders, and BACKUPS holds the copy of
# the game's EAW.EXE.
settled_on_game() { # program-folder game-folder
  local program=$1
  {
    printf '[PATH]\r\nRUTAEAW=%s/\r\n' "$2"
    for pair in RUTAMODELOSVUELO:FLIGHTMODELS RUTAMISIONES:MISSIONS RUTASKINS:SKINS \
      RUTATERRENOS:TERRAINS RUTAGRAFICOS:GRAPHICS RUTASONIDOS:SOUNDS RUTAEXES:EXES RUTABACKUPS:BACKUPS; do
      printf '%s=%s/%s/\r\n' "${pair%%:*}" "$program" "${pair##*:}"
    done
    printf '[CONFIGURATION]\r\nBACKUPS=1\r\n'
  } >"$program/QUORVEL.INI"
  cp "$2/EAW.EXE" "$program/BACKUPS/EAW.EXE"
}

main_title="^EUROPEAN AIR WAR Quorvel v1.0$"

# The start of a walk: an empty folder `shots` for the screenshots of failed
# checks, and in a work folder
# removed at exit, with a private home, a fresh program folder `program` copied
# from the built one. Programs the walk left running are killed at exit.
begin_walk() { # built-program-folder screenshot-folder
  shots=$(realpath -m "$2")
  rm -rf "$shots" && mkdir -p "$shots"
  work=$(mktemp -d)
  trap 'kill -9 $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
  program="$work/Quorvel"
  fresh_program_folder "$(realpath "$1")" "$program"
  private_home "$work"
}

# A fresh portable program folder copied from a built one, without settings,
# copies or sets.
fresh_program_folder() { # built folder destination
  cp -r "$1" "$2"
  rm -f "$2/QUORVEL.INI" "$2"/BACKUPS/* "$2"/SETS/*
}
