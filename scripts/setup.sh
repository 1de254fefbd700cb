#!/usr/bin/env bash
# Installs the Debian packages of the named tiers (scripts/tiers.sh):
#   setup.sh          the main job's
#   setup.sh --test   and the tests'
#   setup.sh --all    every tier, as CI needs
#   setup.sh TIER...  those tiers
# A no-op, needing no root, when they are present. The mirror may be
# inconsistent for hours: the package lists are fetched with retries and, if
# an index still fails, setup goes on with the lists it has; each tier is
# installed on its own, so one that cannot install leaves the others. Why a
# tier is missing is noted for the scripts that need it; setup itself ends
# with success and a summary, and those scripts refuse with the reason.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/tiers.sh

case "${1:-}" in
  "") tiers=(main) ;;
  --test) tiers=(main test) ;;
  --all) mapfile -t tiers < <(tier_names) ;;
  -*) echo "usage: setup.sh [--test | --all | TIER...]; tiers: $(tier_names | tr '\n' ' ')" >&2; exit 2 ;;
  *) tiers=("$@") ;;
esac
for tier in "${tiers[@]}"; do
  [ -n "$(tier_packages "$tier")" ] || { echo "setup: no tier '$tier'" >&2; exit 2; }
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
apt_log=$(mktemp)
trap 'rm -f "$apt_log"' EXIT
lists_fetched=0
list_errors=""

# apt-get update, three tries; a failing index is named and left behind.
fetch_lists() {
  [ "$lists_fetched" -eq 1 ] && return 0
  lists_fetched=1
  local try
  for try in 1 2 3; do
    "${sudo_cmd[@]}" apt-get update > "$apt_log" 2>&1 && return 0
    [ "$try" -lt 3 ] && sleep $((try * ${TAVRIX_SETUP_RETRY_PAUSE:-5}))
  done
  list_errors=$(grep -E '^(E|W):' "$apt_log" | grep -vE 'Some index files failed|old ones used' | head -n 3 |
    tr '\n' ' ')
  echo "setup: apt-get update failed three times; going on with the package lists it has." >&2
  echo "  the mirror said: $list_errors" >&2
}

apt_install() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$@" \
    > "$apt_log" 2>&1
}

# Installs a tier's missing packages: all at once, else one at a time so that
# what can install does. Notes why the rest could not.
install_tier() {
  local tier=$1 package failure
  local -a missing
  mkdir -p "$TIER_STATUS"
  rm -f "$TIER_STATUS/$tier"
  mapfile -t missing < <(tier_missing "$tier")
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$tier" = i386 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    lists_fetched=0
  fi
  fetch_lists
  echo "setup: installing the '$tier' packages: ${missing[*]}"
  apt_install "${missing[@]}" && return 0
  failure=$(grep -E '^E:|Depends:|Unable to locate|has no installation candidate' "$apt_log" | head -n 4 |
    sed 's/^ *//' | tr '\n' ' ')
  for package in "${missing[@]}"; do
    installed "$package" || apt_install "$package" || true
  done
  tier_ready "$tier" && return 0
  echo "apt-get install failed: ${failure:-see apt-get}${list_errors:+; apt-get update: $list_errors}" \
    > "$TIER_STATUS/$tier"
}

# The browser tests' driver and the web examples' libraries from npm, as locked.
install_npm() {
  [ "web/node_modules/.package-lock.json" -nt web/package-lock.json ] && return 0
  (cd web && npm ci --no-audit --no-fund > "$apt_log" 2>&1) && return 0
  echo "npm ci in web/ failed: $(grep -m 2 'npm ERR\|npm error' "$apt_log" | tr '\n' ' ')" > "$TIER_STATUS/web"
}

for tier in "${tiers[@]}"; do
  install_tier "$tier"
  if [ "$tier" = web ] && [ ! -s "$TIER_STATUS/web" ]; then install_npm; fi
done

missing_tiers=()
for tier in "${tiers[@]}"; do tier_ready "$tier" || missing_tiers+=("$tier"); done
# Scripts that go on to require their tiers say it themselves.
if [ ${#missing_tiers[@]} -gt 0 ] && [ -z "${TAVRIX_SETUP_QUIET:-}" ]; then
  for tier in "${missing_tiers[@]}"; do
    echo "setup: the '$tier' tier is not installed, so $(tier_purpose "$tier") will not run." >&2
    tier_reason "$tier" | sed 's/^/  /' >&2
  done
fi
