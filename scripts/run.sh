#!/usr/bin/env bash
# The main job: sets up what it needs, builds the library, the tavrix
# program, the texture generator and the sample effects (nothing else), and
# renders every sample effect into out/: a contact sheet (PNG) and an
# animated GIF each.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/tiers.sh
need_tiers main
source scripts/compiler-cache.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTAVRIX_BUILD_TESTS=OFF "${launcher[@]}" > /dev/null
cmake --build build -j"$(nproc)" --target tavrix tavrix_cli samples

mkdir -p out
for effect in build/samples/*.eff; do
  name=$(basename "$effect" .eff)
  # Nested effects play inside their parents; they are not shown alone.
  case "$name" in *_sparks) continue ;; esac
  ./build/tools/tavrix render "$effect" --root build/samples --sheet-output "out/${name}_sheet.png" \
    --frames 12 --fps 6 --sheet 4x3 --gif "out/$name.gif" --size 256x256 > /dev/null
  echo "out/${name}_sheet.png"
  echo "out/$name.gif"
done
