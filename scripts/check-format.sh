#!/usr/bin/env bash
# Fails, naming the files, when a tracked source strays from .clang-format,
# so the committed style stays the one the code follows.
set -euo pipefail
cd "$(dirname "$0")/.."

stray=$(git ls-files '*.cpp' '*.h' '*.inc' | xargs clang-format --dry-run --Werror 2>&1 |
  grep -o '^[^: ]*:[0-9]*:' | cut -d: -f1 | sort -u || true)
if [ -n "$stray" ]; then
  printf 'Not formatted (run clang-format -i on them):\n%s\n' "$stray"
  exit 1
fi
