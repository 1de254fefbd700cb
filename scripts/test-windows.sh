#!/usr/bin/env bash
# The Windows side: tavrix.dll for x86-64 and i686 cross-built with
# mingw-w64 and checked for exactly its two exports and system-only imports;
# the Windows tests under wine64 (the real Direct3D 8 ones under Xvfb, against
# frames the Linux build's software device renders). Uses the Linux release
# build in build/ for the samples and the reference frames.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/tiers.sh
need_tiers main windows
jobs=$(nproc)
source scripts/compiler-cache.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > /dev/null
cmake --build build -j"$jobs" --target samples tavrix_cli

# Exactly the two exports, and imports of DLLs every Windows has.
check_dll() {
  local dll=$1 dump exports imports
  dump=$(x86_64-w64-mingw32-objdump -p "$dll")
  exports=$(grep -E '^\s*\[ *[0-9]+\] [A-Za-z_][A-Za-z0-9_@]*$' <<< "$dump" | awk '{print $NF}' | sort | tr '\n' ' ')
  imports=$(grep 'DLL Name:' <<< "$dump" | awk '{print toupper($3)}' | sort | tr '\n' ' ')
  echo "$dll exports: $exports; imports: $imports"
  [ "$exports" = "CreateParticleSystem GetParticleSystemVersion " ] || { echo "wrong exports"; return 1; }
  for name in $imports; do
    case $name in
      KERNEL32.DLL | USER32.DLL | MSVCRT.DLL | WINMM.DLL) ;;
      *) echo "imports $name, which is no system DLL"; return 1 ;;
    esac
  done
}

# Everything for x86-64; for i686, whose code cannot run here, the DLL and the
# Microsoft-ABI host linked against its import library.
for arch in win64:x86_64:all win32:i686:tavrix_msabi_host; do
  IFS=: read -r name processor target <<< "$arch"
  cmake -S . -B "build-$name" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-$processor.cmake" \
    -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > /dev/null
  cmake --build "build-$name" -j"$jobs" --target "$target"
  check_dll "build-$name/bin/tavrix.dll"
done

# The software device's frames of the samples, for the Direct3D 8 comparison.
reference=build-win64/d3d8-reference
mkdir -p "$reference"
grep -v '^#' samples/reference-times.txt | while read -r sample time _; do
  build/tools/tavrix render "build/samples/$sample.eff" --root build/samples --size 256x256 \
    --time "$time" --step 33 -o "$reference/$sample.png" > /dev/null
done

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export TAVRIX_WINEPREFIX=$PWD/build-win64/wineprefix
cleanup() {
  kill "$xvfb" 2> /dev/null || true
  WINEPREFIX=$TAVRIX_WINEPREFIX /usr/lib/wine/wineserver -k 2> /dev/null || true
}
trap cleanup EXIT
DISPLAY=$display ctest --test-dir build-win64 --output-on-failure
