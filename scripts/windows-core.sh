#!/usr/bin/env bash
# Proves the Qt-free core on Windows: cross-builds it and its GoogleTest suite
# for 64-bit Windows with mingw-w64 and runs the suite under Wine. libzip,
# libdeflate and GoogleTest for Windows come from the machine's build cache
# (scripts/windows-deps.sh), built there once.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/windows

packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 dpkg-dev cmake make
  pkg-config libgtest-dev libzip-dev libdeflate-dev python3 zip xz-utils ccache)
# shellcheck source=scripts/debian-packages.sh
. scripts/debian-packages.sh
# shellcheck source=scripts/debian-sources.sh
. scripts/debian-sources.sh
# shellcheck source=scripts/build-cache.sh
. scripts/build-cache.sh
# shellcheck source=scripts/windows-deps.sh
. scripts/windows-deps.sh
# shellcheck source=scripts/stages.sh
. scripts/stages.sh
# Wine's recommendations (fonts, sound, a GL driver) serve no console test.
run_stage "Windows packages" install_missing_packages --no-install-recommends -- "${packages[@]}"
run_stage "Windows libraries (cache)" use_windows_deps

export PKG_CONFIG_LIBDIR=$deps_prefix/lib/pkgconfig
# Console programs only: Wine opens no window on anyone's display.
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The static zlib: left to itself libzip's entry picks the import library of
# zlib1.dll, which Wine has and Windows does not.
build_core() {
  cmake -S "$root" -B "$out/core" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$deps_prefix" \
    -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_CORE_ONLY=ON -DQUORVEL_WARNINGS_AS_ERRORS=ON \
    -Dpkgcfg_lib_LIBZIP_z="/usr/$triple/lib/libz.a" >/dev/null && cmake --build "$out/core" -j2
}
run_stage "build Windows core" build_core

# The Wine prefix is this build's own; its server is ended however the run ends,
# so that no later run waits on one left over.
trap 'wineserver -k 2>/dev/null || true' EXIT

run_core_suite() {
  # One server for the whole suite: a test started as an idle server shuts down
  # can fail before it prints a line.
  mkdir -p "$WINEPREFIX" && wineserver -p && wineboot -i >/dev/null 2>&1 || true
  # COM1 leads to a file: an archive member named COM1.TXT that reached the device
  # would land there, and the extraction tests must leave it empty.
  local device=$out/com1-device status=0
  : >"$device"
  ln -sfn "$device" "$WINEPREFIX/dosdevices/com1"
  ctest --test-dir "$out/core" -j2 --timeout 300 --output-on-failure | tee "$out/ctest.log" ||
    status=$?
  # The summary comes last, after the list of skipped tests ctest prints below it.
  grep -E '^[0-9]+% tests passed' "$out/ctest.log" | tail -n 1
  if [ -s "$device" ]; then
    echo "An archive member was written to the COM1 device"
    status=1
  fi
  return "$status"
}

rm -f "$out/core-proven"
run_stage "suite Windows core (Wine)" run_core_suite
# The program's script builds on a core proven here.
touch "$out/core-proven"
