#!/usr/bin/env bash
# Sets everything up, builds the library, the tools and the samples, and
# renders every sample effect into out/: a contact sheet (PNG) and an
# animated GIF each.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

mkdir -p out
for effect in build/samples/*.eff; do
  name=$(basename "$effect" .eff)
  # Nested effects play inside their parents; they are not shown alone.
  case "$name" in *_sparks) continue ;; esac
  ./build/tools/tavrix render "$effect" --root build/samples --sheet-output "out/${name}_sheet.png" \
    --frames 12 --fps 6 --sheet 4x3 --gif "out/$name.gif" --size 256x256 >/dev/null
  echo "out/${name}_sheet.png"
  echo "out/$name.gif"
done
