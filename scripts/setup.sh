#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# A no-op when they are present already.
set -euo pipefail

packages=(
  build-essential cmake git pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libjpeg62-turbo-dev zlib1g-dev libinih-dev libstb-dev
  nlohmann-json3-dev libcli11-dev libgif-dev ccache python3 python3-jsonschema
  libsdl2-dev libsdl2-image-dev libimgui-dev xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
