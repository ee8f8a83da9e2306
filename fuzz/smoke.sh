#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS (default 30) from a copy
# of its seed corpus, so the corpus kept in the repository stays as it is.
# Fails on the first crash, leak, sanitizer report or timeout.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
for target in loader_fuzz menu_fuzz; do
  corpus=fuzz/corpus/${target%_fuzz}
  cp -r "$corpus" "$work/$target"
  echo "== $target: ${seconds}s from $corpus"
  status=0
  build/fuzz/fuzz/$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/" -print_final_stats=1 "$work/$target" >"$work/$target.log" 2>&1 ||
    status=$?
  grep -E '^stat::(number_of_executed_units|new_units_added)|ERROR|SUMMARY|Test unit written' \
    "$work/$target.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/$target.log"
    echo "$target failed with status $status"
    echo "fuzzing: $passed passed, 1 failed"
    exit 1
  fi
  passed=$((passed + 1))
done
echo "fuzzing: $passed passed, 0 failed"
