#!/usr/bin/env bash
# Sets everything up, builds the library and runs the main job: a small host
# that creates a particle system, initialises it and reports what it did.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
./build/tavrix_hello
