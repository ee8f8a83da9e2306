#!/usr/bin/env bash
# Static analysis of the program's folders, failing on any finding:
# clang-tidy with the checks of .clang-tidy (the release build's compile
# commands; the browser's own files with the web build's and emscripten's
# flags), then cppcheck. Configures the presets release and web when their
# build folders are missing.
#   tools/static_analysis.sh             the program's folders
#   tools/static_analysis.sh --planted   checks that both tools fail on a planted finding
set -euo pipefail
cd "$(dirname "$0")/.."

layers="platform model report search menu app experiment quality web"
cppcheck_options=(--std=c++20 --language=c++ --enable=warning,style,performance,portability
  --inline-suppr --error-exitcode=1 --quiet --suppress=missingIncludeSystem)

if [ "${1:-}" = "--planted" ]; then
  planted=$(mktemp -d)
  trap 'rm -rf "$planted"' EXIT
  printf 'int planted(int n) {\n    int x;\n    if (n > 0) {\n        x = n;\n    }\n    return x;\n}\n' \
    >"$planted/planted.cpp"
  cp .clang-tidy "$planted/"
  if clang-tidy-14 --quiet "$planted/planted.cpp" -- -std=c++20 >/dev/null 2>&1; then
    echo "clang-tidy let a planted finding through"
    exit 1
  fi
  if cppcheck "${cppcheck_options[@]}" "$planted/planted.cpp" >/dev/null 2>&1; then
    echo "cppcheck let a planted finding through"
    exit 1
  fi
  echo "static analysis: both tools fail on the planted finding"
  exit 0
fi

[ -f build/release/compile_commands.json ] || cmake --preset release >/dev/null
[ -f build/web/compile_commands.json ] || cmake --preset web >/dev/null

pattern="/($(echo "$layers" | tr ' ' '|'))/[^/]*\.cpp$"
echo "== clang-tidy"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! run-clang-tidy-14 -p build/release -quiet "$pattern" >"$log" 2>&1; then
  grep -v '^clang-tidy-14 \|warnings generated\|^Suppressed\|^Use -header-filter' "$log"
  exit 1
fi

# The browser's own files build only with emscripten: their compile commands,
# less emscripten's link-time settings, with the flags em++ gives clang.
tidy=build/web/static-analysis
mkdir -p "$tidy"
python3 - build/web/compile_commands.json "$tidy/compile_commands.json" <<'EOF'
import json, re, shlex, sys
entries = json.load(open(sys.argv[1]))
for entry in entries:
    words = [w for w in shlex.split(entry["command"]) if not re.match(r"-s[A-Z]", w)]
    entry["command"] = " ".join(shlex.quote(w) for w in words)
json.dump(entries, open(sys.argv[2], "w"))
EOF
extra=()
for flag in $(NODE_PATH=/usr/share/nodejs em++ --cflags 2>/dev/null | sed 's/-mllvm [^ ]*//g; s/-Xclang //g'); do
  extra+=("--extra-arg=$flag")
done
for file in web/browser_main.cpp web/page_bridge.cpp web/heap.cpp; do
  clang-tidy-14 -p "$tidy" --quiet "${extra[@]}" "$file" 2>/dev/null
done

echo "== cppcheck"
includes=()
for layer in $layers; do
  includes+=(-I "build/release/layers/$layer")
done
# shellcheck disable=SC2086 # the folders are words
cppcheck "${cppcheck_options[@]}" "${includes[@]}" -i web/node_modules $layers

echo "static analysis: no finding in $layers"
