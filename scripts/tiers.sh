# Sourced by the scripts: the Debian packages in tiers, each tier what one
# kind of work needs, so that a tier the mirror cannot deliver stops only the
# work that needs it. setup.sh installs tiers and notes in $TIER_STATUS why a
# tier could not be installed; the scripts that need a tier ask require_tiers,
# and .ci/run asks tier_ready to run or skip a part.

# tier | what needs it | packages
TIER_TABLE="
main    | the main job: the library, tavrix, the texture generator and the samples | build-essential cmake pkg-config ccache libpng-dev libjpeg62-turbo-dev zlib1g-dev libinih-dev libstb-dev nlohmann-json3-dev libcli11-dev libgif-dev
test    | the tests, the SDL2 host and the viewer | libgtest-dev libgmock-dev clang-format python3 python3-jsonschema libsdl2-dev libsdl2-image-dev libimgui-dev xvfb xauth xdotool
clang   | the thread sanitizer run and the fuzzers | clang libclang-rt-14-dev
bench   | the benchmarks and their profiles | libbenchmark-dev linux-perf
windows | the Windows DLLs under wine with a real Direct3D 8 | mingw-w64 wine64 xvfb xauth libgl1-mesa-dri lld clang
i386    | the 32-bit tests under qemu | qemu-user g++-multilib libpng-dev:i386 libjpeg62-turbo-dev:i386 libinih-dev:i386 zlib1g-dev:i386 libgtest-dev:i386
web     | the runtime in WebAssembly and the browser tests | emscripten chromium nodejs node-typescript
"
TIER_STATUS=${TIER_STATUS:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/setup}

tier_names() { awk -F'|' 'NF == 3 {gsub(/ /, "", $1); print $1}' <<< "$TIER_TABLE"; }

tier_field() { # TIER COLUMN
  awk -F'|' -v tier="$1" -v column="$2" 'NF == 3 {name = $1; gsub(/ /, "", name)
    if (name == tier) {gsub(/^ +| +$/, "", $column); print $column}}' <<< "$TIER_TABLE"
}

tier_packages() { tier_field "$1" 3; }
tier_purpose() { tier_field "$1" 2; }

installed() { dpkg-query -W -f='${Status}' "$1" 2> /dev/null | grep -q "install ok installed"; }

tier_missing() { # TIER: prints the tier's packages that are not installed
  local p
  for p in $(tier_packages "$1"); do installed "$p" || echo "$p"; done
}

# A tier is ready when its packages are installed and setup noted no failure
# (npm's, say) for it.
tier_ready() { [ -z "$(tier_missing "$1")" ] && [ ! -s "$TIER_STATUS/$1" ]; }

# Why a tier is not there: its missing packages and what the mirror said.
tier_reason() {
  local missing
  missing=$(tier_missing "$1" | tr '\n' ' ')
  [ -z "$missing" ] || echo "packages not installed: ${missing% }"
  if [ -s "$TIER_STATUS/$1" ]; then
    echo "setup: $(cat "$TIER_STATUS/$1")"
  else
    echo "setup: not run for this tier (bash scripts/setup.sh $1)"
  fi
}

# Stops the calling script, saying what will not run and why, unless every
# named tier is installed.
require_tiers() {
  local tier ok=0
  for tier in "$@"; do
    tier_ready "$tier" && continue
    ok=1
    echo "$(basename "$0") cannot run: the '$tier' packages, for $(tier_purpose "$tier"), are not installed." >&2
    tier_reason "$tier" | sed 's/^/  /' >&2
  done
  return $ok
}

# Installs the named tiers, then stops the calling script unless they are there.
need_tiers() {
  TAVRIX_SETUP_QUIET=1 bash "$(dirname "${BASH_SOURCE[0]}")/setup.sh" "$@"
  require_tiers "$@"
}
