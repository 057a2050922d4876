#!/usr/bin/env bash
# A player's random walk through the real program on a virtual display under the
# openbox window manager (scripts/walk/walk.py says what it checks). Walks each
# seed in turn; exits non-zero when one fails, after printing its seed and steps.
#   scripts/walk.sh [--seed N | --seeds "N M ..."] [--minutes M] [--steps K]
#                   [--scale S] [--program FOLDER] [--shots FOLDER]
#                   [--window-manager openbox|none]
# Needs root (the program runs in a private mount table), xvfb, openbox, xdotool,
# x11-utils, imagemagick and python3.
set -euo pipefail
checkout=$(realpath "$(dirname "$0")/..")
seeds=$(( $(date +%s) % 100000 ))
minutes=1 steps=0 scale=1 window_manager=openbox
program="$checkout/build/dev/Quorvel"
arguments=("$@")
shots="$checkout/build/dev/walk-shots"
while [ $# -gt 0 ]; do
  case "$1" in
    --seed | --seeds) seeds=$2 ;;
    --minutes) minutes=$2 ;;
    --steps) steps=$2 ;;
    --scale) scale=$2 ;;
    --program) program=$2 ;;
    --shots) shots=$2 ;;
    --window-manager) window_manager=$2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done

# A display of its own, with openbox on it unless the walk is without a window
# manager.
if [ -z "${QUORVEL_ON_DISPLAY:-}" ]; then
  size=$(awk -v s="$scale" 'BEGIN { printf "%dx%d", 1100 * s, 800 * s }')
  exec env QUORVEL_ON_DISPLAY=1 "$checkout/scripts/virtual-display.sh" "$size" "$0" "${arguments[@]}"
fi
wm=
trap 'kill $wm 2>/dev/null || true' EXIT
if [ "$window_manager" = openbox ]; then
  command -v openbox >/dev/null || { echo "openbox is not installed (scripts/setup.sh test)" >&2; exit 2; }
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  sleep 1
fi

# Python keeps no compiled files in the checkout.
export PYTHONDONTWRITEBYTECODE=1
failed=0
for seed in $seeds; do
  python3 "$checkout/scripts/walk/walk.py" --program "$(realpath "$program")" \
    --source "$checkout" --shots "$shots" --seed "$seed" --minutes "$minutes" \
    --steps "$steps" --scale "$scale" --window-manager "$window_manager" ||
    failed=$((failed + 1))
done
[ "$failed" -eq 0 ] || { echo "$failed walk(s) failed; screenshots in $shots"; exit 1; }
