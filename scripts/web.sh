#!/usr/bin/env bash
# The web viewer: builds the runtime and its web host in WebAssembly with
# emscripten into build-web/site/, with the samples the native build packs
# (and the package's module with shared memory into build-web-threads/),
# then serves the site on 127.0.0.1:$PORT (default 8023) and prints the
# address. --build only builds; --package also writes the site as one zip,
# build-web/tavrix-web-viewer.zip, to host anywhere as static files. Needs
# no root once the 'main' and 'web' packages are installed.
# TAVRIX_NATIVE_BUILD names the native build folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
  "" | --build | --package) ;;
  *) echo "usage: web.sh [--build | --package]" >&2; exit 2 ;;
esac
source scripts/tiers.sh
need_tiers main web
source scripts/compiler-cache.sh
native=${TAVRIX_NATIVE_BUILD:-build}
# emcc's optimiser needs Debian's Node.js modules, which this Node.js does not search.
export NODE_PATH=/usr/share/nodejs

[ -d build-web ] || echo "web.sh: the first build takes about 11 minutes on 2 cores with an empty compiler cache; later ones take seconds."
cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > /dev/null
cmake --build "$native" -j"$(nproc)" --target samples
# The package's module with shared memory (tavrix/threads) is a build of its
# own, whose tests test-web.sh builds.
cmake -S . -B build-web-threads -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/emscripten.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTAVRIX_WEB_THREADS=ON -DTAVRIX_BUILD_TESTS=ON "${launcher[@]}" > /dev/null
cmake --build build-web-threads -j"$(nproc)" --target tavrix_package_module
cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/emscripten.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTAVRIX_SAMPLES_DIR="$(realpath -m "$native")/samples" \
  -DTAVRIX_THREADS_BUILD="$PWD/build-web-threads" "${launcher[@]}" > /dev/null
cmake --build build-web -j"$(nproc)" --target tavrix_web_site

case "${1:-}" in
  --build) exit 0 ;;
  --package)
    rm -f build-web/tavrix-web-viewer.zip
    (cd build-web/site && cmake -E tar cf ../tavrix-web-viewer.zip --format=zip .)
    echo "The viewer as one file: build-web/tavrix-web-viewer.zip"
    exit 0 ;;
esac
port=${PORT:-8023}
echo "The viewer: http://127.0.0.1:$port/index.html"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
