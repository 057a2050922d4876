#!/usr/bin/env bash
# Runs the crash-point explorer over every file-changing call of each operation,
# each ended by a kill and by a power cut on ext4 and on NTFS,
# rather than the sample the suite takes. Arguments go to the test, e.g.
# --gtest_filter='*switch'.
#
# The 5,000-member terrain install alone has about 20,000 points, a day's work.
# For such a run:
#   scripts/crash-points.sh --operation install_terrain --chunk 200 --lanes 2 --log DIR
# takes the points in chunks, as many processes at once as lanes, keeps each
# chunk's report in DIR and, run again, goes on with the chunks not done yet.
# At the end it sums the ends explored and those with violations.
set -euo pipefail
cd "$(dirname "$0")/.."
operation="" chunk=200 lanes=2 log=""
while [ $# -gt 0 ]; do
    case "$1" in
    --operation) operation=$2 && shift 2 ;;
    --chunk) chunk=$2 && shift 2 ;;
    --lanes) lanes=$2 && shift 2 ;;
    --log) log=$2 && shift 2 ;;
    *) break ;;
    esac
done
preset=${QUORVEL_CRASH_PRESET:-release}
cmake --preset "$preset" >/dev/null
cmake --build "build/$preset" --target crash_point_tests -j2 >/dev/null
explorer="build/$preset/tests/hardening/crash_point_tests"
export QUORVEL_ALL_CRASH_POINTS=1
if [ -z "$operation" ]; then
    exec "$explorer" "$@"
fi
[ -n "$log" ] || { echo "--operation needs --log DIR" >&2 && exit 2; }
mkdir -p "$log"

# One chunk: its report is kept only when the explorer ran to its end.
run_chunk() {
    local first=$1 last=$2 report="$log/$operation-$1-$2.txt"
    [ -s "$report" ] && return 0
    QUORVEL_CRASH_POINT_RANGE="$first-$last" "$explorer" \
        --gtest_filter="*CrashPoints*/$operation" >"$report.part" 2>&1 || true
    if grep -q "ends explored" "$report.part"; then
        mv "$report.part" "$report"
    else
        echo "chunk $first-$last did not end: see $report.part" >&2
    fi
}

# The first chunk also tells how many points the operation has.
run_chunk 1 "$chunk"
points=$(sed -n 's/.*(of \([0-9]*\) crash points).*/\1/p' "$log/$operation-1-$chunk.txt")
for ((first = chunk + 1; first <= points; first += chunk)); do
    echo "$first $((first + chunk - 1))"
done | {
    export -f run_chunk
    export log operation explorer
    # shellcheck disable=SC2016 # the lane's own shell expands them
    xargs -P "$lanes" -n 2 bash -c 'run_chunk "$0" "$1"'
}

ends=0 violations=0 reports=0
for report in "$log/$operation"-*.txt; do
    read -r e v < <(sed -n 's/.*: \([0-9]*\) ends explored.*, \([0-9]*\) with violations/\1 \2/p' "$report")
    ends=$((ends + e)) violations=$((violations + v)) reports=$((reports + 1))
done
chunks=$(((points + chunk - 1) / chunk))
echo "$operation: $points crash points, $reports of $chunks chunks done," \
    "$ends ends explored, $violations with violations"
grep -h -A3 "^  point" "$log/$operation"-*.txt | head -40 || true
[ "$violations" -eq 0 ] && [ "$reports" -eq "$chunks" ]
