#!/usr/bin/env bash
# Counts the files a reader opens to follow one install, one uninstall (of an
# add-on whose shared file comes back from another's archive) and one set put-back:
# the program's files of which the action runs a line, a .h and its .cpp counted
# once, measured with gcov on a coverage build of bench/FollowActions.cpp.
#   scripts/files-to-follow.sh [source folder, this checkout by default]
# Needs g++ with gcov, zip, and what the program's build needs.
set -euo pipefail
source=$(realpath "${1:-$(dirname "$0")/..}")
build=$source/build/coverage

cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_BUILD_TESTS=OFF \
  -DQUORVEL_BUILD_BENCH=ON -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage \
  >/dev/null
cmake --build "$build" --target follow_actions -j"$(nproc)" >/dev/null

ran_files() { # lists src/ files with a line run, as layer/Name
  find "$build" -name '*.gcda' | while read -r data; do
    gcov -n -o "$(dirname "$data")" "$data" 2>/dev/null
  done | awk -v src="$source/src/" -v layers="$build/layers/" '
    /^File / {
      file = substr($2, 2, length($2) - 2)
      # Headers are reached through the include folders of the layers.
      if (index(file, layers) == 1) { file = substr(file, length(layers) + 1); sub(/^[^\/]*\//, "", file); file = src file }
    }
    /^Lines executed:/ && $0 !~ /executed:0\.00%/ && index(file, src) == 1 {
      name = substr(file, length(src) + 1); sub(/\.(h|cpp)$/, "", name); print name }' |
    sort -u
}

for action in install uninstall put-back; do
  find "$build" -name '*.gcda' -delete
  QT_QPA_PLATFORM=offscreen "$build/bench/follow_actions" "$action"
  files=$(ran_files)
  echo "$action: $(echo "$files" | wc -l) files"
  echo "$files" | sed 's/^/  /'
done
