#!/usr/bin/env bash
# Builds the program with the layers' include roots made of copies of their
# headers (KNAPSACK_LAYER_COPIES), as a Windows configuration without the right
# to make symbolic links does: no root may be a link, an upward include must
# still fail to compile, and the program must print what the release build
# prints. Needs the release build (cmake --workflow --preset release).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/layer-copies

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKNAPSACK_BUILD_TESTS=OFF \
  -DKNAPSACK_BUILD_BENCH=OFF -DKNAPSACK_LAYER_COPIES=ON >/dev/null
cmake --build "$build" --target knapsack

for root in "$build"/layers/*/*; do
  if [ -L "$root" ]; then
    echo "$root is a symbolic link"
    exit 1
  fi
done

probe=$(mktemp --suffix=.cpp)
trap 'rm -f "$probe"' EXIT
echo '#include "search/vns.hpp"' >"$probe"
if c++ -std=c++20 -fsyntax-only -I "$build/layers/report" -I "$build/layers/model" \
  -I "$build/layers/platform" "$probe" 2>/dev/null; then
  echo "report/ could include search/ through the copied roots"
  exit 1
fi

input='1\n2\n1\n2\n0\n'
expected=$(cd data && printf "$input" | ../build/release/app/knapsack | md5sum)
actual=$(cd data && printf "$input" | "../$build/app/knapsack" | md5sum)
if [ "$actual" != "$expected" ]; then
  echo "the program built on copied roots prints something else"
  exit 1
fi
echo "layer roots as copies: built, an upward include refused, the same output"
