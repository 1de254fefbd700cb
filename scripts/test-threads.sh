#!/usr/bin/env bash
# The update threads under ThreadSanitizer (clang): the test that shares big
# emitters between 1, 2 and 4 threads on every lane path. Any data race
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/tiers.sh
need_tiers main clang
source scripts/compiler-cache.sh
CC=clang CXX=clang++ cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRIX_SANITIZE_THREADS=ON -DTAVRIX_BUILD_TOOLS=OFF "${launcher[@]}"
cmake --build build-tsan -j"$(nproc)" --target tavrix_thread_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/tavrix_thread_tests \
  --gtest_filter='ChurnEquivalence.EveryPath*'
