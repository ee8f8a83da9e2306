#!/usr/bin/env bash
# The page's scripts checked as the C++ is by clang-tidy: ESLint (the rules of
# web/eslint.config.mjs) over the page's scripts, the node runner and the
# page's test, and TypeScript's checker (checkJs, strict: web/tsconfig.json)
# over the page's scripts, failing on any finding. Runs npm ci in web/ when
# its libraries are missing.
#   tools/check_scripts.sh             the scripts
#   tools/check_scripts.sh --planted   checks that both fail on a planted fault
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f web/node_modules/.package-lock.json ] || (cd web && npm ci --no-audit --no-fund --loglevel=error)
eslint=web/node_modules/.bin/eslint
tsc=web/node_modules/.bin/tsc

if [ "${1:-}" = "--planted" ]; then
  planted=$(mktemp -d web/planted.XXXXXX)
  trap 'rm -rf "$planted"' EXIT
  # A loose comparison, a name never declared, a parameter of no known type.
  printf 'export function planted(count) {\n    return count == 1 ? missing : count;\n}\n' >"$planted/planted.js"
  if "$eslint" -c web/eslint.config.mjs "$planted/planted.js" >/dev/null 2>&1; then
    echo "ESLint let a planted fault through"
    exit 1
  fi
  # The project's own settings, on the planted file alone.
  printf '{"extends": "../tsconfig.json", "include": ["planted.js"]}\n' >"$planted/tsconfig.json"
  if "$tsc" -p "$planted/tsconfig.json" >/dev/null 2>&1; then
    echo "TypeScript let a planted fault through"
    exit 1
  fi
  echo "script checks: both tools fail on the planted fault"
  exit 0
fi

echo "== eslint"
"$eslint" -c web/eslint.config.mjs --max-warnings 0 web tests/web bench
echo "== tsc"
"$tsc" -p web/tsconfig.json
echo "script checks: no finding in web/, tests/web/ and bench/"
