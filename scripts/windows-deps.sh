# Sourced by the Windows scripts: libdeflate and libzip, built from Debian's own
# source packages (the versions this machine's -dev packages come from), and
# GoogleTest from /usr/src/googletest, all for 64-bit Windows, static, in the
# machine's build cache (scripts/build-cache.sh). Sets deps_prefix.
triple=x86_64-w64-mingw32

build_libdeflate() { # folder
  local source
  source=$(echo "$1"/src/libdeflate-*/)
  make -C "$source" -j2 CC="$triple-gcc-posix" AR="$triple-ar" libdeflatestatic.lib >/dev/null &&
    mkdir -p "$1/prefix/lib/pkgconfig" "$1/prefix/include" &&
    cp "$source/libdeflate.h" "$1/prefix/include/" &&
    cp "$source/libdeflatestatic.lib" "$1/prefix/lib/libdeflate.a" &&
    printf 'prefix=%s\nName: libdeflate\nDescription: libdeflate\nVersion: %s\nCflags: -I${prefix}/include\nLibs: -L${prefix}/lib -ldeflate\n' \
      "$1/prefix" "$(basename "$source" | cut -d- -f2)" >"$1/prefix/lib/pkgconfig/libdeflate.pc"
}

build_cmake_dependency() { # folder name source cmake-options...
  local folder=$1 name=$2 source=$3
  shift 3
  local log=$folder/build/$name.log
  mkdir -p "$folder/build"
  # Their own warnings are theirs: kept in a log, shown when the build fails.
  {
    cmake -S "$source" -B "$folder/build/$name" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$folder/prefix" -DBUILD_SHARED_LIBS=OFF "$@" &&
      cmake --build "$folder/build/$name" -j2 && cmake --install "$folder/build/$name"
  } >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}

build_libzip() { # folder
  build_cmake_dependency "$1" libzip "$(echo "$1"/src/libzip-*/)" -DENABLE_COMMONCRYPTO=OFF \
    -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF || return 1
  # A static libzip is declared so to its users, and brings zlib with it.
  sed -i -e 's|^Cflags: \(.*\)|Cflags: \1 -DZIP_STATIC|' -e 's|^Libs: \(.*\)|Libs: \1 -lz|' \
    "$1/prefix/lib/pkgconfig/libzip.pc"
}

build_windows_deps() { # folder
  echo "Building libdeflate, libzip and GoogleTest for Windows (once per machine)"
  download_sources "$1/apt" "$1/src" "libdeflate=$(source_version libdeflate-dev)" \
    "libzip=$(source_version libzip-dev)" &&
    build_libdeflate "$1" && build_libzip "$1" &&
    build_cmake_dependency "$1" googletest /usr/src/googletest -DBUILD_GMOCK=OFF \
      -Dgtest_disable_pthreads=OFF || return 1
  # The prefix is all the builds need; sources and build trees would only be checked.
  rm -rf "$1/apt" "$1/src" "$1/build"
  # A build step that failed without saying so must not pass for a whole folder.
  [ -s "$1/prefix/lib/libdeflate.a" ] && [ -s "$1/prefix/lib/libzip.a" ] &&
    [ -s "$1/prefix/lib/libgtest.a" ]
}

source_version() { # binary-package
  dpkg-query -W -f='${source:Version}' "$1"
}

toolchain_key() {
  "$triple-g++-posix" --version | head -n 1
  dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
    libz-mingw-w64-dev
  cat "$root/cmake/mingw-w64-x86_64.cmake"
}

use_windows_deps() {
  local key
  key=$(
    toolchain_key
    dpkg-query -W -f='${Package} ${source:Version}\n' libdeflate-dev libzip-dev googletest
    declare -f build_windows_deps build_libdeflate build_libzip build_cmake_dependency
  )
  use_cached_build windows-deps "$key" build_windows_deps
  deps_prefix=$cached_folder/prefix
}
