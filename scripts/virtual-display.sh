#!/usr/bin/env bash
# Runs a command on a virtual X display of its own and ends the display after it:
#   scripts/virtual-display.sh WIDTHxHEIGHT command [args...]
# The server itself takes a free display number (-displayfd), so any number of
# these may start at once, where two xvfb-run -a can pick the same one. The
# server is never reset: by default it resets when its last client goes, as a
# program killed between two starts does, and the next start then finds no
# display.
set -euo pipefail
size=$1
shift
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "The virtual display did not start" >&2; exit 1; }
DISPLAY=":$(cat "$display_file")" "$@"
