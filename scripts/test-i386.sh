#!/usr/bin/env bash
# 32-bit x86: the core and its unit tests as a static 32-bit program, run
# under qemu-i386 (this kernel cannot execute 32-bit code itself).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/tiers.sh
need_tiers main i386
jobs=$(nproc)
source scripts/compiler-cache.sh

cmake -S . -B build-i386 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/linux-i386.cmake \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > /dev/null
cmake --build build-i386 -j"$jobs" --target tavrix_tests
# Tests that start another program stay out: the kernel here cannot execute
# 32-bit code, only qemu can. So does the check of the library's atan2
# against the C runtime's: 32-bit glibc computes atan2f on the x87 unit,
# whose last bits differ (the determinism hash shows the library agrees with
# the 64-bit build).
qemu-i386 build-i386/tests/tavrix_tests --gtest_brief=1 \
  --gtest_filter='-BatchQuadsSwitch.ParticleIniBesideTheExecutableTurnsBatchingOn:ParticleBudgetHost.*:ArcTangent.*'
