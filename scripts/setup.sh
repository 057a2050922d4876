#!/usr/bin/env bash
# Sets Quorvel up on a Debian machine: installs the Debian packages that are
# missing, builds, and then either starts the program (run) or runs the whole
# test suite (test).
set -euo pipefail

mode=${1:-}
case "$mode" in
  run | test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

build_packages=(g++ cmake pkg-config qt6-base-dev libgl-dev libzip-dev libdeflate-dev libicu-dev
  fonts-liberation2 ccache)
test_packages=(libgtest-dev libbenchmark-dev zip unzip xvfb xauth xdotool imagemagick python3
  desktop-file-utils x11-utils openbox p7zip-full libarchive-tools clang libclang-rt-14-dev time locales-all)
packages=("${build_packages[@]}")
[ "$mode" = test ] && packages+=("${test_packages[@]}")

# shellcheck source=scripts/debian-packages.sh
. scripts/debian-packages.sh
# shellcheck source=scripts/stages.sh
. scripts/stages.sh
run_stage "Debian packages" install_missing_packages -- "${packages[@]}"

if [ "$mode" = run ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target quorvel -j"$(nproc)"
  exec build/release/Quorvel/quorvel
fi

build_preset() { # preset
  cmake --preset "$1" && cmake --build --preset "$1" -j"$(nproc)"
}

build_and_test() { # preset
  run_stage "build $1" build_preset "$1"
  run_stage "suite $1" ctest --preset "$1"
}

build_and_test dev
# The same suite again under the address and undefined-behaviour sanitizers.
build_and_test asan
# And optimised, where the compiler sees warnings the debug builds do not.
build_and_test release
