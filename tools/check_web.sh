#!/usr/bin/env bash
# Builds the browser edition (preset web: emscripten and npm ci) and checks it:
# the golden transcripts and the comparison with the reference program through
# the browser build run under node, as check_windows.sh does under Wine; then
# the page end to end in headless Chromium and Firefox ESR. Needs the release
# build's tests (cmake --workflow --preset release) and the Debian packages
# emscripten, nodejs, npm, chromium and firefox-esr.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --workflow --preset web

KNAPSACK_PROGRAM_UNDER_TEST=$PWD/build/web/run_node.mjs \
  KNAPSACK_RUN_UNDER="$(command -v node) --no-experimental-fetch" \
  build/release/tests/transcript_tests \
  --gtest_filter='Program/*:Transcript.AgreesWithTheReferenceProgram:Transcript.BadInstanceStopsBeforeTheMenuWithOneLine'

node tests/web/page_test.mjs chromium firefox
