#!/usr/bin/env bash
# Installs the release build into a fresh prefix and builds the embedding
# example against it twice, as a host would: through the CMake package and
# through pkg-config. Each runs on a sample effect and must draw and write
# a PNG. Expects the release build of scripts/test.sh in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --build build -j"$(nproc)" --target tavrix tavrix_software samples
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

# Each host runs beside the samples, whose textures sit under image/.
for host in "$work/cmake/embed" "$work/embed-pc"; do
  rm -f build/samples/embed.png
  (cd build/samples && LD_LIBRARY_PATH="$libdir" "$host" fire.eff)
  test -s build/samples/embed.png
done
mv build/samples/embed.png "$top/build/embed.png"
echo "build/embed.png"
