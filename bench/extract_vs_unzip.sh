#!/usr/bin/env bash
# Times Unzip against Info-ZIP's `unzip -j -o -qq` on one large many-member
# archive made from a fixed seed, into an empty folder and over an existing
# extraction, then an uninstall of that add-on against its install.
# Prints figures; never fails because of them.
#
#   bench/extract_vs_unzip.sh [BUILD_DIR]      (default build/release, else build/dev)
#   SIZE_MB=300 SEED=20261206 WORK_DIR=/tmp bench/extract_vs_unzip.sh
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-}
if [[ -z $build ]]; then
    build=$here/build/release
    [[ -x $build/bench/quorvel_bench_tool ]] || build=$here/build/dev
fi
tool=$build/bench/quorvel_bench_tool
[[ -x $tool ]] || { echo "build quorvel_bench_tool first (cmake --build --preset release)"; exit 1; }
command -v unzip >/dev/null && command -v zip >/dev/null || { echo "needs zip and unzip"; exit 1; }

size_mb=${SIZE_MB:-300}
seed=${SEED:-20261206}
work=$(mktemp -d "${WORK_DIR:-${TMPDIR:-/tmp}}/quorvel-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
# Runs a command with dirty pages written out beforehand, printing its seconds.
timed() {
    sync
    local start end
    start=$(now)
    "$@" >/dev/null
    end=$(now)
    elapsed "$start" "$end"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }'; }

echo "machine: $(nproc) cores; build: $build"
echo "making the archive: ${size_mb} MB from seed $seed ..."
"$tool" make-tree "$work/tree" "$size_mb" "$seed"
mkdir -p "$work/lib"
(cd "$work/tree" && zip -q -r "$work/lib/TERRAIN.ZIP" .)
echo "archive: $(du -m "$work/lib/TERRAIN.ZIP" | cut -f1) MB compressed," \
     "$(unzip -Z1 "$work/lib/TERRAIN.ZIP" | wc -l) members"

mkdir -p "$work/by-unzip" "$work/by-quorvel"
t_unzip_empty=$(timed unzip -j -o -qq "$work/lib/TERRAIN.ZIP" -d "$work/by-unzip")
t_quorvel_empty=$(timed "$tool" unzip "$work/lib/TERRAIN.ZIP" "$work/by-quorvel")
t_unzip_over=$(timed unzip -j -o -qq "$work/lib/TERRAIN.ZIP" -d "$work/by-unzip")
t_quorvel_over=$(timed "$tool" unzip "$work/lib/TERRAIN.ZIP" "$work/by-quorvel")
t_copy=$(timed cp -r "$work/by-unzip" "$work/copied")
if diff -rq "$work/by-unzip" "$work/by-quorvel" >/dev/null; then same=yes; else same=NO; fi

echo
printf '%-28s %10s %10s %8s\n' "extraction" "unzip s" "Unzip s" "ratio"
printf '%-28s %10s %10s %8s\n' "into an empty folder" "$t_unzip_empty" "$t_quorvel_empty" \
    "$(ratio "$t_quorvel_empty" "$t_unzip_empty")"
printf '%-28s %10s %10s %8s\n' "over an existing extraction" "$t_unzip_over" "$t_quorvel_over" \
    "$(ratio "$t_quorvel_over" "$t_unzip_over")"
printf '%-28s %10s %10s %8s\n' "cp -r of the extracted files" "" "$t_copy" \
    "$(ratio "$t_copy" "$t_unzip_empty")"
echo "same files as unzip: $same"

echo
echo "install and uninstall of the add-on (game folder emptied first):"
rm -rf "$work/by-unzip" "$work/by-quorvel" "$work/copied"
mkdir -p "$work/game" "$work/backups"
sync
"$tool" install-uninstall "$work/lib" TERRAIN "$work/game" "$work/backups"
