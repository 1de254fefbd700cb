#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# A no-op when they are present already.
set -euo pipefail

packages=(
  build-essential cmake git pkg-config clang clang-format libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libjpeg62-turbo-dev zlib1g-dev libinih-dev libstb-dev
  nlohmann-json3-dev libcli11-dev libgif-dev ccache python3 python3-jsonschema
  libsdl2-dev libsdl2-image-dev libimgui-dev
  # Windows: the cross compilers, wine64 with an X server and Mesa for the
  # real Direct3D 8, clang and lld for the Microsoft-ABI host, and 32-bit x86
  # builds run under qemu-i386 with Debian's i386 libraries.
  mingw-w64 wine64 xvfb xauth libgl1-mesa-dri lld qemu-user g++-multilib
  libpng-dev:i386 libjpeg62-turbo-dev:i386 libinih-dev:i386 zlib1g-dev:i386 libgtest-dev:i386
  # WebAssembly: emscripten with its prebuilt system libraries, and the
  # browser the web viewer's tests drive headless.
  emscripten chromium
)

sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"

# The i386 packages need the architecture known to dpkg.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The web viewer's test driver from npm, as locked; npm comes with Node.js.
web=$(dirname "$0")/../web
if [ ! "$web/node_modules/.package-lock.json" -nt "$web/package-lock.json" ]; then
  (cd "$web" && npm ci --no-audit --no-fund)
fi
