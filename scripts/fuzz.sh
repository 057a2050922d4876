#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time,
# seeded with the test archives.
# Usage: scripts/fuzz.sh [seconds per target] [target...]   (all targets by default)
# Prints one line per target: name, executions, seconds, crashes found.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_ini_file fuzz_unzip fuzz_records)
build=build/fuzz

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEL_BUILD_FUZZ=ON -DQUORVEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2 >/dev/null
python3 fuzz/make_corpus.py "$build/seeds" >/dev/null

# Seeds: the test archives for the zip adapter; for the settings files, the
# archives' neighbours are of no use, so a few settings texts are written here.
ini_seeds="$build/seeds/ini"
mkdir -p "$ini_seeds"
printf 'EAW\nK\nv\n[EAW]\r\nPlayerPilotName=Hans\r\n' >"$ini_seeds/crlf"
printf 'A\nK\n"q"\n\xef\xbb\xbf[A]\nK=1\n[ B ]\nX = 2\n' >"$ini_seeds/bom"
printf 'A\nZ\n \n[A]\nK=1\nK=2\n[A]\nJ=3' >"$ini_seeds/duplicates"
mkdir -p "$build/found"

run_target() { # name, further libFuzzer options, seed folders...
  local name=$1 options=$2 work log
  shift 2
  work=$(mktemp -d)
  # Large seeds would make every mutation slow; the small ones cover the cases.
  find "$@" -maxdepth 1 -type f -size -200k ! -name MANIFEST -exec cp {} "$work"/ \;
  log="$build/$name.log"
  local start end status=0
  start=$(date +%s)
  # shellcheck disable=SC2086 # the options are words of their own
  "$build/fuzz/$name" $options -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=30 \
    -artifact_prefix="$build/found/$name-" "$work" >"$log" 2>&1 || status=$?
  end=$(date +%s)
  rm -rf "$work"
  local executions
  executions=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' ||
    grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
  echo "$name ${executions:-0} $((end - start)) $([ "$status" -eq 0 ] && echo 0 || echo 1)"
}

# The records target makes its records from any bytes, a few hundred of them for
# all four: it starts from seeded random inputs of that length, and at a few runs
# a second it cannot wait for libFuzzer to lengthen its inputs step by step.
records_seeds="$build/seeds/records"
mkdir -p "$records_seeds"
python3 -c '
import random, sys
for seed in range(16):
    random.seed(seed)
    with open(f"{sys.argv[1]}/random-{seed}", "wb") as out:
        out.write(bytes(random.randrange(256) for _ in range(random.randrange(64, 1024))))
' "$records_seeds"

for target in "${targets[@]}"; do
  case $target in
  fuzz_ini_file) run_target fuzz_ini_file "" "$ini_seeds" ;;
  fuzz_unzip) run_target fuzz_unzip "" "$build/seeds/hostile" "$build/seeds/ordinary" ;;
  fuzz_records) run_target fuzz_records "-len_control=0 -max_len=2048" "$records_seeds" ;;
  *) echo "unknown target $target" >&2 && exit 2 ;;
  esac
done
