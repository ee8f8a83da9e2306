#!/usr/bin/env bash
# Makes the release artifacts from a clean checkout, in one folder:
#   knapsack-vns_VERSION_amd64.deb        the Debian package
#   knapsack-vns-VERSION-windows.zip      knapsack.exe, the shipped instance, README, LICENSE
#   knapsack-vns-VERSION-site.zip         the web page, a folder of static files
#   SHA256SUMS                            their sums, for sha256sum -c
# Made again from the same commit, in another folder, at another time or
# with another umask, every artifact is the same byte for byte: the time is
# the last commit's (SOURCE_DATE_EPOCH), the binaries hold no build path, and
# the archives list their entries sorted, with fixed times and modes.
# Needs the packages of the README's quick start, and those of the Windows
# build and the web page.
#   tools/release.sh OUT_DIR
set -euo pipefail
[ $# -eq 1 ] || { echo "uso: tools/release.sh PASTA_DE_SAIDA" >&2; exit 2; }
src=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
cd "$src"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: the checkout has uncommitted changes; a release is made from a commit" >&2
  exit 1
fi

# The package's dependencies come from the binaries, never from a fallback list.
command -v dpkg-shlibdeps >/dev/null || { echo "release.sh: dpkg-shlibdeps (package dpkg-dev) is needed" >&2; exit 1; }

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
umask 022
version=$(sed -n 's/^project(knapsack_vns VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# A release made for a version tag is that version.
if [ "${GITHUB_REF_TYPE:-}" = "tag" ] && [ "${GITHUB_REF_NAME:-}" != "v$version" ]; then
  echo "release.sh: the tag ${GITHUB_REF_NAME} is not v$version, the version in CMakeLists.txt" >&2
  exit 1
fi
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
# No path of this checkout or of the build folder in what is compiled.
maps="-ffile-prefix-map=$src=. -ffile-prefix-map=$build=."

echo "== knapsack-vns $version from $(git rev-parse --short HEAD), dated $(date -u -d "@$SOURCE_DATE_EPOCH" +%F)"
rm -f "$out"/knapsack-vns* "$out/SHA256SUMS"

# The Debian package: cpack stages and packages; dpkg-deb packs the staged tree
# again with its entries sorted, owned by root and dated SOURCE_DATE_EPOCH.
cmake --preset program -B "$build/program" -DCMAKE_CXX_FLAGS="$maps" >/dev/null
cmake --build "$build/program" --target knapsack knapsack-experiment >/dev/null
(cd "$build/program" && cpack -G DEB >/dev/null)
deb=$(cd "$build/program" && ls knapsack-vns_*.deb)
staged="$build/deb"
dpkg-deb -R "$build/program/$deb" "$staged"
find "$staged" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$staged" "$out/$deb" >/dev/null

# Windows: the program, the instance to try it on, what it is and its licence.
cmake --preset windows -B "$build/windows" -DCMAKE_CXX_FLAGS="$maps" >/dev/null
cmake --build "$build/windows" --target knapsack >/dev/null
windows="$build/windows-zip"
mkdir -p "$windows"
cp "$build/windows/app/knapsack.exe" data/peso50.txt data/beneficio50.txt data/limite50.txt \
  README.md LICENSE "$windows"
python3 tools/deterministic_zip.py "$out/knapsack-vns-$version-windows.zip" "$windows" \
  "knapsack-vns-$version-windows"

# The web page.
cmake --preset web -B "$build/web" >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build "$build/web" --target site >/dev/null
rm -f "$build/web/site/.assembled"
python3 tools/deterministic_zip.py "$out/knapsack-vns-$version-site.zip" "$build/web/site"

(cd "$out" && sha256sum knapsack-vns* >SHA256SUMS && cat SHA256SUMS)
