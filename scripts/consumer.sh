#!/usr/bin/env bash
# Installs the release build into a fresh prefix and builds the embedding
# example against it twice, as a host would: through the CMake package and
# through pkg-config. Each runs on every sample effect and must draw the
# pixels `tavrix render` draws for the same effect, size and time. Expects
# the release build of scripts/test.sh in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --build build -j"$(nproc)" --target tavrix tavrix_software tavrix_cli samples
cmake --install build --prefix "$prefix" > /dev/null
libdir=$(dirname "$(find "$prefix" -name libtavrix.so)")

echo "== the README's example is examples/embed.cpp"
awk '/^## Embedding the library/ {section = 1} section && /^```cpp$/ {copy = 1; next}
     copy && /^```$/ {exit} copy {print}' README.md > "$work/readme.cpp"
diff -u examples/embed.cpp "$work/readme.cpp"

echo "== versioned library"
(cd "$libdir" && ls -l libtavrix.so* | awk '{print $9, $10, $11}')
readelf -d "$libdir/libtavrix.so" | grep -q 'SONAME.*\[libtavrix\.so\.1\]'

echo "== CMake package"
cmake -S tests/consumer -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" > /dev/null
cmake --build "$work/cmake" > /dev/null
if cmake -S tests/consumer -B "$work/too-new" -DCMAKE_PREFIX_PATH="$prefix" \
     -DTAVRIX_REQUIRED_VERSION=2.0 > /dev/null 2>&1; then
  echo "a package of version 1 must not satisfy version 2"
  exit 1
fi

echo "== pkg-config"
flags=$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs tavrix-software tavrix)
# shellcheck disable=SC2086  # the flags are words
c++ -std=c++17 examples/embed.cpp $flags -o "$work/embed-pc"

echo "== each host draws what tavrix render draws"
# The hosts run beside the samples, whose textures sit under image/. The
# render matches the example: its size, its time (1500 ms) and, by default,
# the view of its size, the view centre and 17, 17, 16 ms steps.
for effect in build/samples/*.eff; do
  name=$(basename "$effect" .eff)
  echo "-- $name"
  build/tools/tavrix render "$effect" --size 320x240 --time 1500 -o "$work/$name.png" > /dev/null
  for host in "$work/cmake/embed" "$work/embed-pc"; do
    rm -f build/samples/embed.png
    (cd build/samples && LD_LIBRARY_PATH="$libdir" "$host" "$name.eff")
    python3 tests/consumer/same_pixels.py build/samples/embed.png "$work/$name.png"
  done
  if [ "$name" = fire ]; then cp build/samples/embed.png "$top/build/embed.png"; fi
done
rm -f build/samples/embed.png
echo "build/embed.png"
