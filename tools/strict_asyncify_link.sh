#!/usr/bin/env bash
# Runs a link command (the browser build's, as its launcher) and fails it when
# the Asyncify list names a function that does not exist: the optimiser only
# warns of such a name, and a list that has gone stale would otherwise leave a
# function that waits for input uninstrumented, or instrument one for nothing.
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" 2> >(tee "$log" >&2)
status=$?
wait
if [ "$status" -eq 0 ] && grep -q "Asyncify onlylist contained a non-matching pattern" "$log"; then
  echo "the Asyncify list of web/CMakeLists.txt names a function that is not in the program" >&2
  exit 1
fi
exit "$status"
