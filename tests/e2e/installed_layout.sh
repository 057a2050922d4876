#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a Linux desktop needs:
# the portable program folder, the menu entry starting that program, and the icon.
#   tests/e2e/installed_layout.sh <build folder>
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix/with space" >/dev/null
root="$prefix/with space"
entry="$root/share/applications/quorvel.desktop"
failures=0
check() { # description command...
  local what=$1; shift
  if "$@"; then echo "  ok      $what"; else echo "  FAILED  $what"; failures=$((failures + 1)); fi
}
check "the program in the portable folder" test -x "$root/Quorvel/quorvel"
for item in FLIGHTMODELS MISSIONS SKINS TERRAINS GRAPHICS SOUNDS EXES BACKUPS SETS; do
  check "library folder $item" test -d "$root/Quorvel/$item"
done
check "logo and help text beside it" test -f "$root/Quorvel/QUORVEL.jpg" -a -f "$root/Quorvel/readme.txt"
check "the icon in the hicolor theme" test -f "$root/share/icons/hicolor/256x256/apps/quorvel.png"
check "the menu entry starts the installed program" grep -qx "Exec=\"$root/Quorvel/quorvel\"" "$entry"
check "the menu entry names the icon" grep -qx "Icon=quorvel" "$entry"
if command -v desktop-file-validate >/dev/null; then
  check "the menu entry is valid" desktop-file-validate "$entry"
fi
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
