#!/usr/bin/env bash
# Runs the crash-point explorer over every file-changing call of each operation,
# each ended by a kill and by a power cut on ext4 and on NTFS,
# rather than the sample the suite takes. The 5,000-member terrain install alone
# has about 20,000 points. Arguments go to the test, e.g. --gtest_filter='*switch'.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build build/dev --target crash_point_tests -j2 >/dev/null
QUORVEL_ALL_CRASH_POINTS=1 build/dev/tests/hardening/crash_point_tests "$@"
