#!/usr/bin/env bash
# Packages the release build as a .deb (cpack -G DEB), checks it with lintian
# when lintian is installed (no error, no warning), unpacks it into a
# temporary root with dpkg-deb -x, and runs the unpacked program on the
# unpacked instance: it must print what the build's own program prints.
set -euo pipefail
cd "$(dirname "$0")/../build/release"

rm -f knapsack-vns_*.deb
cpack -G DEB 2>&1 | tail -n 1
package=$(ls knapsack-vns_*.deb)
if command -v lintian >/dev/null; then
  # Informational tags stay: see CONTRIBUTING.md for which and why.
  findings=$(lintian --tag-display-limit 0 "$package" 2>/dev/null | grep -E '^(E|W):' || true)
  if [ -n "$findings" ]; then
    echo "$findings"
    exit 1
  fi
  echo "$package: lintian finds no error and no warning"
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"

input='1\n2\n1\n2\n0\n'
expected=$(cd ../../data && printf "$input" | ../build/release/app/knapsack | md5sum)
actual=$(cd "$root/usr/share/knapsack-vns" && printf "$input" | "$root/usr/bin/knapsack" | md5sum)
if [ "$actual" != "$expected" ]; then
  echo "$package: the unpacked program prints something else than the build's"
  exit 1
fi
for file in usr/share/man/man1/knapsack.1.gz usr/share/man/man1/knapsack-experiment.1.gz \
  usr/share/doc/knapsack-vns/copyright usr/bin/knapsack-experiment; do
  if [ ! -f "$root/$file" ]; then
    echo "$package: /$file is missing"
    exit 1
  fi
done
if ! (cd "$root/usr/share/knapsack-vns" && "$root/usr/bin/knapsack-experiment" --runs 2 --cycles 10 >/dev/null); then
  echo "$package: the unpacked knapsack-experiment does not run"
  exit 1
fi
echo "$package: installs knapsack and knapsack-experiment, their manual pages and the shipped instance, and they run"
