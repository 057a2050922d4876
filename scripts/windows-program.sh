#!/usr/bin/env bash
# Builds the whole program for 64-bit Windows and the portable folder players
# get, as a zip in build/windows, and runs under Wine its window tests and then the
# folder itself, with a stand-in game played from Play. Qt's base module is
# cross-built, static, from Debian's own qt6-base source (the version of this
# machine's Qt tools, which generate code for it), once per machine, into the
# build cache (scripts/build-cache.sh); every later run reuses it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake

packages=(qt6-base-dev qt6-base-dev-tools dpkg-dev ninja-build xvfb xauth zip fonts-liberation2
  xdotool openbox imagemagick x11-utils)
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
run_stage "Windows program packages" install_missing_packages --no-install-recommends -- \
  "${packages[@]}"

# The core is proven under Wine before a program is built on it.
[ -e "$out/core-proven" ] || scripts/windows-core.sh
use_windows_deps

# Only what the program uses. Debian's source lacks the tablet driver's header,
# and no window here draws with OpenGL. Network is for the local socket that keeps
# one copy of the program running. zlib is the one libzip links, so that a single
# copy ends up in the executable.
qt_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_dbus=OFF -DFEATURE_xml=OFF -DFEATURE_zstd=OFF -DINPUT_openssl=no
  -DFEATURE_openssl=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_freetype=OFF -DFEATURE_direct2d=OFF
  -DFEATURE_system_zlib=ON -DZLIB_LIBRARY=/usr/$triple/lib/libz.a
  -DZLIB_INCLUDE_DIR=/usr/$triple/include)

# Where this machine's Qt tools keep their CMake files, which the Windows build runs.
host_multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

# The notices Qt's licences ask for, gathered from the source once.
write_qt_licenses() { # qt-source licenses-folder
  mkdir -p "$2" && cp "$1/LICENSES/LGPL-3.0-only.txt" "$1/LICENSES/GPL-3.0-only.txt" "$2/" &&
    python3 - "$1" >"$2/third-party.txt" <<'PY'
import json, pathlib, sys
source = pathlib.Path(sys.argv[1])
for path in sorted((source / "src").rglob("qt_attribution.json")):
    entries = json.loads(path.read_text(), strict=False)
    for entry in entries if isinstance(entries, list) else [entries]:
        folder = path.parent
        print("=" * 78)
        print(entry["Name"], entry.get("Version", ""))
        print(entry.get("License", ""))
        if "Copyright" in entry:
            print(entry["Copyright"])
        single = [entry["LicenseFile"]] if "LicenseFile" in entry else []
        for name in entry.get("LicenseFiles", single):
            print()
            print((folder / name).read_text(errors="replace"))
PY
}

# Keeps Qt's prefix, the three files of its source package (published with every
# release) and its licence notices; the 2 GB build tree and the unpacked source go.
build_qt() { # folder
  local log=$1/build.log source
  download_sources "$1/apt" "$1/src" "qt6-base=$(source_version qt6-base-dev)" || return 1
  source=$(echo "$1"/src/qt6-base-*/)
  # Qt Gui builds its DirectWrite font database only with Direct2D, which is off;
  # the Windows platform plugin must ask for the same, or it does not link.
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$source/src/plugins/platforms/windows/qwindowsintegration.cpp"
  echo "Building Qt for Windows (once per machine, 15 to 50 minutes on 2 cores; log: $log)"
  {
    cmake -S "$source" -B "$1/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$host_multiarch/cmake" \
      -DCMAKE_INSTALL_PREFIX="$1/prefix" "${qt_options[@]}" &&
      nice -n 19 cmake --build "$1/build" -j2 && cmake --install "$1/build"
  } >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    return 1
  }
  write_qt_licenses "$source" "$1/licenses" && mkdir -p "$1/source" &&
    mv "$1"/src/*.dsc "$1"/src/*.tar.* "$1/source/" && rm -rf "$1/build" "$1/src" "$1/apt" &&
    [ -s "$1/prefix/lib/libQt6Widgets.a" ]
}

use_qt() {
  local key
  key=$(
    toolchain_key
    echo "qt6-base $(source_version qt6-base-dev) $host_multiarch"
    printf '%s\n' "${qt_options[@]}"
    declare -f build_qt write_qt_licenses
  )
  use_cached_build windows-qt "$key" build_qt
  qt=$cached_folder
}
run_stage "Qt for Windows (cache)" use_qt

export PKG_CONFIG_LIBDIR=$deps_prefix/lib/pkgconfig
program=$out/program
# The static zlib, for libzip and Qt alike: left to themselves they pick the
# import library of zlib1.dll, which no Windows has.
zlib=/usr/$triple/lib/libz.a
build_program() {
  cmake -S "$root" -B "$program" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_PREFIX_PATH="$qt/prefix;$deps_prefix" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$host_multiarch/cmake" -DCMAKE_BUILD_TYPE=Release \
    -DZLIB_LIBRARY_RELEASE="$zlib" -Dpkgcfg_lib_LIBZIP_z="$zlib" \
    -DZLIB_INCLUDE_DIR=/usr/$triple/include \
    -DQUORVEL_WARNINGS_AS_ERRORS=ON >/dev/null &&
    cmake --build "$program" -j2 --target quorvel tests/windows/all
}
run_stage "build Windows program" build_program

# The folder as players get it, with the notices Qt's licences ask for.
stage=$out/package
rm -rf "$stage"
cmake --install "$program" --prefix "$stage" --strip >/dev/null
licenses=$stage/Quorvel/licenses
mkdir -p "$licenses"
cp "$qt"/licenses/* "$root/resources/windows/Qt.txt" "$licenses/"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$program/CMakeCache.txt")
zip=$out/Quorvel-$version-windows-x64.zip
rm -f "$zip"
(cd "$stage" && zip -q -r -X "$zip" Quorvel)
echo "Built $zip ($(du -k "$zip" | cut -f1) KiB)"

# The window tests on Windows' own platform (Wine's offscreen one creates no
# windows), in two lanes at once, each on a virtual display and in a Wine prefix
# of its own, whose servers are ended however the run ends. A lane takes the next
# test program no lane has claimed, the longest of the last run first. Under Wine
# a test's report reaches no pipe, so each writes it to a file.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
lanes=2
# The first lane's prefix is the core suite's, already made.
lane_prefix() { if [ "$1" = 1 ]; then echo "$out/wine"; else echo "$out/wine-$1"; fi; }
trap 'for lane in $(seq "$lanes"); do WINEPREFIX=$(lane_prefix "$lane") wineserver -k 2>/dev/null || true; done' EXIT
reports=$out/window-tests
durations=$quorvel_cache/window-test-durations

# The test programs, the longest of the last run first and those it did not run
# before them; on a new machine no run came before.
window_tests_in_order() {
  local test time=""
  for test in "$program"/tests/windows/*.exe; do
    [ -e "$durations" ] &&
      time=$(awk -v name="$(basename "$test" .exe)" '$1 == name { print $2 }' "$durations")
    echo "${time:-999999999} $test"
  done | sort -k1,1nr | cut -d' ' -f2-
}

run_lane() { # lane tests...
  WINEPREFIX=$(lane_prefix "$1")
  export WINEPREFIX
  shift
  "$root/scripts/virtual-display.sh" 1280x1024 sh -c '
    reports=$1 fonts=$2
    shift 2
    mkdir -p "$WINEPREFIX" && wineserver -p && wineboot -i >/dev/null 2>&1
    "$fonts" # the fonts Windows has
    status=0
    for test in "$@"; do
      name=$(basename "$test" .exe)
      mkdir "$reports/$name.claimed" 2>/dev/null || continue
      QT_QPA_PLATFORM=windows timeout 300 wine "$test" -o "$(winepath -w "$reports/$name.txt"),txt" \
        >/dev/null 2>&1 || status=1
    done
    exit $status' - "$reports" "$root/scripts/wine-fonts.sh" "$@"
}

run_window_tests() {
  local status=0 tests lane
  rm -rf "$reports"
  mkdir -p "$reports"
  mapfile -t tests < <(window_tests_in_order)
  if [ "${#tests[@]}" -eq 0 ] || [ ! -e "${tests[0]}" ]; then
    echo "No window test programs in $program/tests/windows" >&2
    return 1
  fi
  for lane in $(seq "$lanes"); do run_lane "$lane" "${tests[@]}" & done
  for lane in $(seq "$lanes"); do wait -n || status=1; done
  grep -h -A3 '^FAIL!' "$reports"/*.txt || true
  for test in "${tests[@]}"; do
    report=$reports/$(basename "$test" .exe).txt
    grep -q '^Totals:' "$report" 2>/dev/null && continue
    echo "$(basename "$report" .txt) ended before its report did" >&2
    status=1
  done
  mkdir -p "$quorvel_cache"
  grep -H '^Totals:' "$reports"/*.txt |
    sed -E 's|^.*/([^/]*)\.txt:.* ([0-9]+)ms\r?$|\1 \2|' >"$durations.new" && mv "$durations.new" "$durations"
  cat "$reports"/*.txt | grep -oE '^Totals: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' |
    awk '{ p += $2; f += $4; s += $6 }
      END { printf "Window tests under Wine: %d passed, %d failed, %d skipped\n", p, f, s }'
  return "$status"
}
run_stage "window tests (Wine)" run_window_tests

# The folder as players get it, played from Play with a stand-in game as EAW.EXE.
run_stage "Play under Wine" "$root/tests/e2e/play_road.sh" "$stage/Quorvel" "$out/play-shots" \
  "$program/tests/windows/stand-in/StandInGame.exe"
