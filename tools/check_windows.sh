#!/usr/bin/env bash
# Cross-builds knapsack.exe (preset windows) and runs the golden transcripts
# and the comparison with the reference program through it under Wine, CR LF
# read as LF. Needs the release build's tests (cmake --workflow --preset
# release) and the Debian packages g++-mingw-w64-x86-64-posix and wine64.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset windows >/dev/null
cmake --build --preset windows

wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine}
# The first start makes the prefix and talks about it; not during the tests.
"$wine" wineboot --init >/dev/null 2>&1 || true

KNAPSACK_PROGRAM_UNDER_TEST=$PWD/build/windows/app/knapsack.exe KNAPSACK_RUN_UNDER=$wine \
  build/release/tests/transcript_tests \
  --gtest_filter='Program/*:Transcript.AgreesWithTheReferenceProgram:Transcript.BadInstanceStopsBeforeTheMenuWithOneLine'
