#!/usr/bin/env bash
# Lists the names declared in src/ headers that nothing in src/ uses beyond their
# own declarations and definitions, with the files of tests/ and bench/ that use
# them: code that serves only tests belongs with the tests. Prints nothing when
# there is none. A rough check by name (ctags and grep), not a compiler's.
#   scripts/test-only-names.sh [checkout]
set -euo pipefail
scripts=$(dirname "$(realpath "$0")")
# shellcheck source=scripts/debian-packages.sh
. "$scripts/debian-packages.sh"
install_missing_packages -- universal-ctags >&2
cd "${1:-$scripts/..}"

# The seams through which tests answer message boxes, start the folder pickers in
# a folder of their own and count folder reads; Qt calls overrides, and the
# compiler destructors.
seams='^(answerWith|SetStartingFolder|SetFolderReadHook|validate|~.*|__anon.*)$'

tags=$(ctags -x --c++-kinds=+p-dn --language-force=c++ $(git ls-files 'src/*.h'))
echo "$tags" | awk '{print $1}' | sort -u | grep -vE "$seams" | while read -r name; do
  declared=$(echo "$tags" | awk -v n="$name" '$1 == n {print $4 ":" $3 ":"}')
  # Lines naming it outside comments and includes, less its declarations and
  # its definitions (a .cpp line at the margin naming it before a parenthesis).
  uses=$(grep -rwn --include='*.cpp' --include='*.h' -- "$name" src |
    grep -vF "$declared" | grep -v '#include' |
    grep -vE "^[^:]+\.cpp:[0-9]+:[^ }].*\b$name\(" |
    N="$name" perl -ne 'print if (s{//.*}{}r =~ /\b$ENV{N}\b/)' | wc -l || true)
  if [ "$uses" -eq 0 ]; then
    echo "$name: $(grep -rlw -- "$name" tests bench | tr '\n' ' ' || true)"
  fi
done
