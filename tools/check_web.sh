#!/usr/bin/env bash
# Builds the browser edition (preset web: emscripten and npm ci) and checks it:
# the golden transcripts and the comparison with the reference program through
# the browser build run under node, as check_windows.sh does under Wine; an
# exhausted heap under node; then the page end to end in headless Chromium and
# Firefox ESR. Needs the release
# build's tests (cmake --workflow --preset release) and the Debian packages
# emscripten, nodejs, npm, chromium and firefox-esr.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --workflow --preset web

# As Debian 12's Node 18 does, whatever this Node guesses about module syntax.
node=("$(command -v node)" --no-experimental-fetch)
if node --help | grep -q -- --experimental-detect-module; then
  node+=(--no-experimental-detect-module)
fi

KNAPSACK_PROGRAM_UNDER_TEST=$PWD/build/web/run_node.mjs \
  KNAPSACK_RUN_UNDER="${node[*]}" \
  build/release/tests/transcript_tests \
  --gtest_filter='Program/*:Transcript.AgreesWithTheReferenceProgram:Transcript.BadInstanceStopsBeforeTheMenuWithOneLine'

# An exhausted heap: run as the page runs it, in 512 KiB of memory, the search
# ends the run with the console's message and status.
status=0
shown=$(cd data && printf '1\n3\n0\n' |
  "${node[@]}" --wasm-max-mem-pages=8 ../build/web/run_node.mjs --as-page=5030) || status=$?
if [ "$status" -ne 1 ] || [ "${shown: -46}" != "Falta memoria para alocar o vetor de ponteiros" ]; then
  echo "check_web: with its heap exhausted the browser build ended with status $status and: ${shown: -200}"
  exit 1
fi
echo "check_web: an exhausted heap ends the browser build with the console's message"

node tests/web/page_test.mjs chromium firefox
