#!/usr/bin/env bash
# Proves the Qt-free core on Windows: cross-builds it and its GoogleTest suite
# for 64-bit Windows with mingw-w64 and runs the suite under Wine. libzip and
# libdeflate are built from Debian's own source packages, once, into
# build/windows/deps, and reused by every later run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/windows
deps=$out/deps
prefix=$deps/prefix
triple=x86_64-w64-mingw32

packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 dpkg-dev cmake make
  pkg-config libgtest-dev python3 zip xz-utils)
# shellcheck source=scripts/debian-packages.sh
. scripts/debian-packages.sh
# shellcheck source=scripts/debian-sources.sh
. scripts/debian-sources.sh
# Wine's recommendations (fonts, sound, a GL driver) serve no console test.
install_missing_packages --no-install-recommends -- "${packages[@]}"

build_libdeflate() {
  local source
  source=$(echo "$deps"/src/libdeflate-*/)
  make -C "$source" -j2 CC="$triple-gcc-posix" AR="$triple-ar" libdeflatestatic.lib >/dev/null
  mkdir -p "$prefix/lib/pkgconfig" "$prefix/include"
  cp "$source/libdeflate.h" "$prefix/include/"
  cp "$source/libdeflatestatic.lib" "$prefix/lib/libdeflate.a"
  printf 'prefix=%s\nName: libdeflate\nDescription: libdeflate\nVersion: %s\nCflags: -I${prefix}/include\nLibs: -L${prefix}/lib -ldeflate\n' \
    "$prefix" "$(basename "$source" | cut -d- -f2)" >"$prefix/lib/pkgconfig/libdeflate.pc"
}

build_cmake_dependency() {
  local name=$1 source=$2
  shift 2
  local log=$deps/build/$name.log
  mkdir -p "$deps/build"
  # Their own warnings are theirs: kept in a log, shown when the build fails.
  {
    cmake -S "$source" -B "$deps/build/$name" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" &&
      cmake --build "$deps/build/$name" -j2 && cmake --install "$deps/build/$name"
  } >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}

build_libzip() {
  build_cmake_dependency libzip "$(echo "$deps"/src/libzip-*/)" -DENABLE_COMMONCRYPTO=OFF \
    -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
  # A static libzip is declared so to its users, and brings zlib with it.
  sed -i -e 's|^Cflags: \(.*\)|Cflags: \1 -DZIP_STATIC|' -e 's|^Libs: \(.*\)|Libs: \1 -lz|' \
    "$prefix/lib/pkgconfig/libzip.pc"
}

if [ ! -e "$deps/done" ]; then
  echo "Building libdeflate, libzip and GoogleTest for Windows (once)"
  rm -rf "$deps"
  download_sources "$deps/apt" "$deps/src" libdeflate libzip
  build_libdeflate
  build_libzip
  build_cmake_dependency googletest /usr/src/googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
  touch "$deps/done"
fi

export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
# Console programs only: Wine opens no window on anyone's display.
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The static zlib: left to itself libzip's entry picks the import library of
# zlib1.dll, which Wine has and Windows does not.
cmake -S "$root" -B "$out/core" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_CORE_ONLY=ON -DQUORVEL_WARNINGS_AS_ERRORS=ON \
  -Dpkgcfg_lib_LIBZIP_z="/usr/$triple/lib/libz.a" >/dev/null
cmake --build "$out/core" -j2

# The Wine prefix is this build's own; its server is ended however the run ends,
# so that no later run waits on one left over.
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1 || true
# COM1 leads to a file: an archive member named COM1.TXT that reached the device
# would land there, and the extraction tests must leave it empty.
device=$out/com1-device
: >"$device"
ln -sfn "$device" "$WINEPREFIX/dosdevices/com1"
# The summary comes last, after the list of skipped tests ctest prints below it.
status=0
ctest --test-dir "$out/core" -j2 --timeout 300 --output-on-failure | tee "$out/ctest.log" || status=$?
grep -E '^[0-9]+% tests passed' "$out/ctest.log" | tail -n 1
if [ -s "$device" ]; then
  echo "An archive member was written to the COM1 device"
  status=1
fi
exit "$status"
