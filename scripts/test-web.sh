#!/usr/bin/env bash
# The WebAssembly side: the core's unit tests compiled with emscripten and
# run under Node.js, with and without shared memory (update threads); the
# web viewer built and tested in headless Chromium against the native
# build's software-device frames and scene hash; the npm package packed,
# installed into fresh folders and tested under Node.js and, with its
# examples, in Chromium against the native frames and hash; its module with
# shared memory in a cross-origin isolated page on one thread and on two.
# TAVRIX_NATIVE_BUILD names the native build folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/web.sh --build
native=$(realpath -m "${TAVRIX_NATIVE_BUILD:-build}")
export NODE_PATH=/usr/share/nodejs
cmake --build "$native" -j"$(nproc)" --target tavrix_cli tavrix_web_scene tavrix_web_script
cmake --build build-web -j"$(nproc)" --target tavrix_web_tests tavrix_package
ctest --test-dir build-web --output-on-failure
# The same tests with shared memory, where the update threads run.
cmake --build build-web-threads -j"$(nproc)" --target tavrix_web_tests
ctest --test-dir build-web-threads --output-on-failure

# The software device's frames of the compared samples, at the viewer's size.
reference=build-web/reference
mkdir -p "$reference"
grep -v '^#' samples/reference-times.txt | while read -r sample time _; do
  "$native/tools/tavrix" render "$native/samples/$sample.eff" --root "$native/samples" \
    --size 256x256 --time "$time" -o "$reference/$sample.png" > /dev/null
done

# The fixed scene: every compared sample for two seconds.
scene="2000 $(grep -v '^#' samples/reference-times.txt | awk '{printf "%s.eff ", $1}')"
TAVRIX_SCENE_HASH=$(cd "$native/samples" && "$native/web/tavrix_web_scene" $scene)
# The package's declarations: a game's calls type-check against the packed
# index.d.ts, installed into a fresh folder.
package=$(ls "$PWD"/build-web/tavrix-*.tgz)
types=$(mktemp -d)
trap 'rm -rf "$types"' EXIT
cp web/tests/types.ts "$types"
(cd "$types" && npm install --offline --no-audit --no-fund --no-save "$package" > /dev/null &&
  tsc --noEmit --strict --target es2022 --module es2022 --moduleResolution node --lib es2022,dom types.ts)

# The package's scenes natively: the hash of scene.txt's frames and the
# software device's last frame of the examples' scene, over their background.
script() { (cd "$native/samples" && "$native/web/tavrix_web_script" "$@"); }
script "$PWD/web/tests/example-scene.txt" --png "$PWD/$reference/example-scene.png" --background 182838

# The crowd that tavrix/threads plays on one thread and on two, and its hash.
crowd=build-web/crowd
mkdir -p "$crowd"
"$native/tools/tavrix" pack web/tests/crowd.json -o "$crowd/crowd.eff" > /dev/null
ln -sfn "$native/samples/image" "$crowd/image"
crowd_scene=$PWD/web/tests/crowd-scene.txt
crowd_hash=$(cd "$crowd" && "$native/web/tavrix_web_script" "$crowd_scene")

TAVRIX_WEB_ROOT=$PWD/build-web TAVRIX_SCENE="${scene% }" TAVRIX_SCENE_HASH=$TAVRIX_SCENE_HASH \
  TAVRIX_CROWD=$PWD/$crowd TAVRIX_CROWD_HASH=$crowd_hash TAVRIX_PACKAGE=$package TAVRIX_SAMPLES=$native/samples \
  TAVRIX_SCRIPT_HASH=$(script "$PWD/web/tests/scene.txt") TAVRIX_EXAMPLE_FRAME=$PWD/$reference/example-scene.png \
  node --test web/tests/
