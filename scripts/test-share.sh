#!/usr/bin/env bash
# Prints how much of the code is tests: non-blank lines of C++, Python and shell
# under tests/ against those under src/, tests/, bench/, fuzz/, scripts/ and
# resources/tools/.
#   scripts/test-share.sh [checkout]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

lines() { # folders...
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \
    -o -name '*.py' -o -name '*.sh' \) -print0 | xargs -0 cat | grep -cv '^[[:space:]]*$' || true
}
tests=$(lines tests)
all=$(lines src tests bench fuzz scripts resources/tools)
awk -v t="$tests" -v a="$all" 'BEGIN { printf "tests %d of %d lines: %.1f%%\n", t, a, 100 * t / a }'
