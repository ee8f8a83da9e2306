#!/usr/bin/env bash
# Makes the release twice, from two fresh clones of this commit in two
# folders, a few seconds apart and under two umasks, and fails unless every
# artifact is the same byte for byte and the sums verify.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each clone checked out under its own umask, so that its files' modes differ too.
(umask 077 && git clone -q . "$work/first" && "$work/first/tools/release.sh" "$work/first-out" >/dev/null)
sleep 2
(umask 002 && git clone -q . "$work/second" && "$work/second/tools/release.sh" "$work/second-out" >/dev/null)
if ! diff "$work/first-out/SHA256SUMS" "$work/second-out/SHA256SUMS"; then
  echo "check_release: the two releases differ"
  exit 1
fi
(cd "$work/second-out" && sha256sum --quiet -c SHA256SUMS)
echo "check_release: two releases, the same byte for byte:"
cat "$work/first-out/SHA256SUMS"
