#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (instrumented, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each over its seed corpus for the
# given number of seconds (default 60). New inputs collect under
# build-fuzz/corpus/ (or $FUZZ_BUILD_DIR/corpus/), crashers under
# build-fuzz/artifacts/. Any crash, leak, or input slower than the time limit
# (second argument, default one second) fails the run.
#
# The shared corpora of longer campaigns, ../shared/fuzz-corpus/<corpus>/
# beside the checkout, are read too when present: each of their inputs runs
# once under a larger limit (third argument, default six times the second),
# since many of them fill the particle budget or nest thousands of copies and
# take seconds under the sanitizers; those well under the time limit then
# seed the timed run. Their check counts against the fuzzer's seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
limit=${2:-1}
shared_limit=${3:-$((limit * 6))}
build=${FUZZ_BUILD_DIR:-build-fuzz}

# Each fuzzer with the folder name of its corpus, as fuzz/fuzzers.txt lists them.
pairs=()
while read -r fuzzer corpus _; do
  pairs+=("$fuzzer:$corpus")
done < <(grep -v '^#' fuzz/fuzzers.txt)

source scripts/tiers.sh
need_tiers main clang
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRIX_BUILD_FUZZERS=ON -DTAVRIX_BUILD_TESTS=OFF
cmake --build "$build" -j"$(nproc)" --target "${pairs[@]%%:*}"

top=$(pwd)
out=$(realpath -m "$build")
shared=$(cd .. && pwd)/shared/fuzz-corpus
mkdir -p "$out/artifacts"

# Runs a fuzzer with its log in $out/NAME.log; on failure shows the log's end
# and stops the script.
run() {
  local name=$1
  shift
  local status=0
  "$@" -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/$fuzzer-" > "$out/$name.log" 2>&1 || status=$?
  grep -E '^(#[0-9]+.*DONE|stat::|==[0-9]+==|SUMMARY)' "$out/$name.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$out/$name.log"
    echo "$fuzzer failed; the input is in $out/artifacts/ or named above"
    exit 1
  fi
}

for pair in "${pairs[@]}"; do
  fuzzer=${pair%%:*}
  corpus=${pair##*:}
  mkdir -p "$out/corpus/$corpus"
  seeds=()
  left=$seconds
  if [ -d "$shared/$corpus" ]; then
    echo "== $fuzzer over $shared/$corpus, ${shared_limit}s each"
    start=$SECONDS
    run "$fuzzer-shared" "$out/fuzz/$fuzzer" -timeout="$shared_limit" "$shared/$corpus"/*
    # Inputs under a 25th of the limit seed the timed run (from a folder of
    # links): its start runs every seed once, and slower ones would take most
    # of its seconds.
    rm -rf "$out/shared/$corpus"
    mkdir -p "$out/shared/$corpus"
    awk -v most=$((limit * 40)) '/^Executed / && $(NF-1) < most {print $2}' "$out/$fuzzer-shared.log" |
      xargs -r ln -s -t "$out/shared/$corpus"
    seeds=("$out/shared/$corpus")
    left=$((seconds - (SECONDS - start) > seconds / 4 ? seconds - (SECONDS - start) : seconds / 4))
  fi
  echo "== $fuzzer for ${left}s"
  run "$fuzzer" "$out/fuzz/$fuzzer" "$out/corpus/$corpus" "$top/fuzz/corpus/$corpus" "${seeds[@]}" \
    -max_total_time="$left" -timeout="$limit" -print_final_stats=1
done
