#!/usr/bin/env bash
# Sets everything up, checks the sources follow .clang-format and that no
# include climbs the stack of folders src/README.md draws, then builds and
# runs the tests twice: a release build of everything with all its tests,
# and a build of the library, the software device and their tests under
# AddressSanitizer and UndefinedBehaviorSanitizer (the tools and their tests
# run in the release pass only). Compilations go through ccache when it is
# installed.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/tiers.sh
need_tiers main test
bash scripts/check-format.sh
python3 scripts/check-layers.py
jobs=$(nproc)

source scripts/compiler-cache.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTAVRIX_BUILD_TESTS=ON "${launcher[@]}"
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZE=ON -DTAVRIX_BUILD_TOOLS=OFF \
  "${launcher[@]}"
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
