#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (instrumented, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each over its seed corpus for the
# given number of seconds (default 60). New inputs collect under
# build-fuzz/corpus/, crashers under build-fuzz/artifacts/. Any crash, leak,
# or input slower than the time limit (second argument, default one second)
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
limit=${2:-1}

# Each fuzzer with the folder name of its corpus, as fuzz/fuzzers.txt lists them.
pairs=()
while read -r fuzzer corpus _; do
  pairs+=("$fuzzer:$corpus")
done < <(grep -v '^#' fuzz/fuzzers.txt)

bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRIX_BUILD_FUZZERS=ON -DTAVRIX_BUILD_TESTS=OFF
cmake --build build-fuzz -j"$(nproc)" --target "${pairs[@]%%:*}"

top=$(pwd)
mkdir -p build-fuzz/artifacts
for pair in "${pairs[@]}"; do
  fuzzer=${pair%%:*}
  corpus=${pair##*:}
  mkdir -p "build-fuzz/corpus/$corpus"
  echo "== $fuzzer for ${seconds}s"
  status=0
  "build-fuzz/fuzz/$fuzzer" "$top/build-fuzz/corpus/$corpus" "$top/fuzz/corpus/$corpus" \
    -max_total_time="$seconds" -timeout="$limit" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$top/build-fuzz/artifacts/$fuzzer-" > "build-fuzz/$fuzzer.log" 2>&1 || status=$?
  grep -E '^(#[0-9]+.*DONE|stat::|==[0-9]+==|SUMMARY)' "build-fuzz/$fuzzer.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "build-fuzz/$fuzzer.log"
    echo "$fuzzer failed; the input is in build-fuzz/artifacts/"
    exit 1
  fi
done
