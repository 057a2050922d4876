#!/usr/bin/env bash
# The machine's build cache: a folder is used only when it is whole, and is
# built again after whatever leaves it otherwise; two runs at once build it once.
set -euo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache
# shellcheck source=scripts/build-cache.sh
. "$scripts/build-cache.sh"
builds=$work/builds
failures=0

# Fills the folder as a long build would, counting how often it is called.
builder() {
  echo x >>"$builds"
  mkdir -p "$1/prefix/lib" && printf 'library' >"$1/prefix/lib/libone.a" &&
    printf 'header' >"$1/prefix/one.h"
}
failing_builder() {
  printf 'half' >"$1/prefix-part"
  return 1
}

builds_after() { # description expected-builds command...
  local description=$1 expected=$2
  shift 2
  : >"$builds"
  "$@" >/dev/null || true
  local counted
  counted=$(wc -l <"$builds")
  if [ "$counted" -ne "$expected" ]; then
    echo "FAIL: $description: built $counted times, expected $expected"
    failures=$((failures + 1))
  fi
}

use() { use_cached_build thing key builder; }
folder() { use >/dev/null && echo "$cached_folder"; }

builds_after "the first use" 1 use
builds_after "a whole folder" 0 use
rm "$(folder)/prefix/one.h"
builds_after "a file removed" 1 use
printf 'HEADER' >"$(folder)/prefix/one.h"
builds_after "a file changed, its size kept" 1 use
fail() { echo "FAIL: $1" && failures=$((failures + 1)); }
rm -rf "$(folder)"
use_cached_build thing key failing_builder >/dev/null && fail "a failed build passed"
builds_after "after a build that failed" 1 use
builds_after "another key" 1 use_cached_build thing other-key builder
built=$(folder)
printf '%s\n' "$work/elsewhere" >"$built/FOLDER" && write_manifest "$built"
builds_after "a folder built elsewhere, moved here" 1 use
rm -rf "$quorvel_cache"
slow_builder() { sleep 1 && builder "$1"; }
both() {
  use_cached_build thing key slow_builder & use_cached_build thing key slow_builder
  wait
}
builds_after "two runs at once" 1 both
cache_is_whole "$(folder)" || fail "the folder two runs built is not whole"

echo "$((10 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
