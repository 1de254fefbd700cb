#!/usr/bin/env bash
# setup.sh against a package manager whose mirror has one broken index, as
# seen for hours at a time: apt-get update exits 100 naming it, and the i386
# packages cannot install. Every other tier must still install, setup must
# succeed, and the i386 tier's reason must carry the mirror's message to the
# scripts that need it. The fake dpkg and apt-get keep their state in a
# temporary folder; nothing real is installed.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
touch "$work/installed"

cat > "$work/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
grep -qxF "${@: -1}" "$FAKE_STATE/installed" && printf 'install ok installed'
FAKE
cat > "$work/bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
case $1 in --print-foreign-architectures) cat "$FAKE_STATE/arch" 2> /dev/null ;; --add-architecture) echo "$2" >> "$FAKE_STATE/arch" ;; esac
FAKE
cat > "$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
if [ "$1" = update ]; then
  echo update >> "$FAKE_STATE/updates"
  echo "E: Failed to fetch http://mirror/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
  exit 100
fi
status=0
for package in "${@: 4}"; do
  case $package in
    *:i386) echo " $package : Depends: libfoo:i386 (= 2) but it is not going to be installed"; status=100 ;;
  esac
done
[ $status -eq 0 ] && printf '%s\n' "${@: 4}" >> "$FAKE_STATE/installed"
[ $status -eq 0 ] || echo "E: Unable to correct problems, you have held broken packages."
exit $status
FAKE
cat > "$work/bin/npm" <<'FAKE'
#!/usr/bin/env bash
exit 0
FAKE
chmod +x "$work/bin"/*

export PATH=$work/bin:$PATH FAKE_STATE=$work TIER_STATUS=$work/status TAVRIX_SETUP_RETRY_PAUSE=0
cd "$top"
source scripts/tiers.sh
output=$(bash scripts/setup.sh --all 2>&1) || { echo "setup failed: $output"; exit 1; }

fail() { echo "FAIL: $*"; echo "$output"; exit 1; }
[ "$(wc -l < "$work/updates")" -ge 3 ] || fail "apt-get update was not tried three times"
grep -q "Mirror sync in progress" <<< "$output" || fail "setup did not say which index failed"
for tier in $(tier_names); do
  [ "$tier" = i386 ] && continue
  tier_ready "$tier" || fail "the '$tier' tier did not install beside the broken one"
done
installed qemu-user || fail "the i386 tier's packages that can install were not installed"
! tier_ready i386 || fail "the i386 tier is reported ready"
grep -q "Mirror sync in progress" "$TIER_STATUS/i386" || fail "the i386 tier's reason lacks the mirror's message"
grep -q "libpng-dev:i386" <<< "$(tier_reason i386)" || fail "the reason does not name the missing packages"
refusal=$(bash scripts/test-i386.sh 2>&1) && fail "test-i386.sh ran without its packages"
grep -q "cannot run: the 'i386' packages" <<< "$refusal" || fail "test-i386.sh did not say why: $refusal"
echo "setup survived the broken index; the i386 tier was named with the mirror's message"
