#!/usr/bin/env bash
# Runs a program that sees, of the machine's folders where people keep files, only
# the one given: a walk's random clicks in the folder pickers can reach no one
# else's game folder. Needs root (or a user namespace) for a private mount table.
#   scripts/walk/sandbox.sh <folder to keep> <program> [arguments...]
set -euo pipefail
keep=$(realpath "$1")
shift
# shellcheck disable=SC2016 # the script runs inside, with its own arguments
exec unshare --mount --propagation private bash -c '
  set -e
  keep=$1
  shift
  mount -t tmpfs walk-hold /mnt
  mkdir /mnt/keep /mnt/x11
  mount --bind "$keep" /mnt/keep
  mount --bind /tmp/.X11-unix /mnt/x11
  for folder in /tmp /var/tmp /work /root /home /srv /opt; do
    [ -d "$folder" ] && mount -t tmpfs walk-hidden "$folder"
  done
  mkdir -p "$keep" /tmp/.X11-unix
  mount --bind /mnt/keep "$keep"
  mount --bind /mnt/x11 /tmp/.X11-unix
  exec "$@"
' sandbox "$keep" "$@"
