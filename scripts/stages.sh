# Sourced by the set-up and Windows scripts: runs each stage of a run and says
# how long it took. Under .ci/run every stage is also added to the file named by
# QUORVEL_STAGE_TIMES, which .ci/run prints as a table with the total.
run_stage() { # name command...
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  local took=$((SECONDS - start)) outcome=""
  [ "$status" -eq 0 ] || outcome=" (failed)"
  printf '== %s: %dm %02ds%s\n' "$name" $((took / 60)) $((took % 60)) "$outcome"
  if [ -n "${QUORVEL_STAGE_TIMES:-}" ]; then
    printf '%s\t%s\t%s\n' "$name" "$took" "$status" >>"$QUORVEL_STAGE_TIMES"
  fi
  return "$status"
}

print_stage_times() { # file seconds-in-all
  awk -F '\t' -v all="$2" '
    { printf "  %-36s %3dm %02ds%s\n", $1, $2 / 60, $2 % 60, ($3 == 0 ? "" : "  (failed)") }
    END { printf "  %-36s %3dm %02ds\n", "total", all / 60, all % 60 }' "$1"
}
