#!/usr/bin/env bash
# Compares the scene benchmark of a base revision with the working tree's (or
# a second revision's), side by side on this machine: machines differ too
# much between sessions for figures taken apart to mean anything, so only the
# ratio new/base does. Both are built Release through ccache: a revision from
# `git archive` laid out in build-base/ (or build-bench/) and built in its
# build/ folder, the working tree in build-bench/, which leaves the working
# tree itself alone. The two binaries then run interleaved, base then new,
# BENCH_REPS times (default 5), pinned to core 0 (or the cores BENCH_CPUS
# lists, for the threaded benchmarks) when taskset is there, and
# the table gives each benchmark's median time per particle.
#
#   scripts/bench-compare.sh [BASE_REV] [NEW_REV]
#
# BASE_REV defaults to HEAD~; BENCH_FILTER (a benchmark regex) defaults to
# the scene benchmarks.
set -euo pipefail

cd "$(dirname "$0")/.."
source scripts/tiers.sh
need_tiers main bench
root=$(pwd)
base=$(git rev-parse --verify "${1:-HEAD~}^{commit}")
new=${2:+$(git rev-parse --verify "$2^{commit}")}
reps=${BENCH_REPS:-5}
filter=${BENCH_FILTER:-'^BM_(UpdateAll|DrawAll)'}
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# Configures and builds the benchmark of the tree at $1 into $2. The tree is
# ccache's base folder, so a file already compiled from another tree is a hit.
build_bench() {
  mkdir -p "$2"
  (cd "$1" && source scripts/compiler-cache.sh &&
    cmake -S . -B "$2" -DCMAKE_BUILD_TYPE=Release -DTAVRIX_BUILD_BENCH=ON "${launcher[@]}" &&
    cmake --build "$2" -j2 --target tavrix_bench) > "$2/bench-build.log" 2>&1 ||
    { echo "building $2 failed; see $2/bench-build.log" >&2; exit 1; }
}

# Lays revision $1 out in folder $2 anew, keeping only its build folder, and
# builds it there; extraction times (not commit times) make the build see
# every file as changed. Prints the binary's path.
build_revision() {
  mkdir -p "$2"
  find "$2" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
  git archive "$1" | tar -x -m -C "$2"
  build_bench "$2" "$2/build"
  echo "$2/build/bench/tavrix_bench"
}

echo "building $(git rev-parse --short "$base") and ${2:-the working tree}" >&2
base_binary=$(build_revision "$base" "$root/build-base")
if [ -n "$new" ]; then
  new_binary=$(build_revision "$new" "$root/build-bench")
else
  build_bench "$root" "$root/build-bench"
  new_binary=$root/build-bench/bench/tavrix_bench
fi

pin=()
command -v taskset > /dev/null && pin=(taskset -c "${BENCH_CPUS:-0}")
for ((rep = 1; rep <= reps; ++rep)); do
  for side in base new; do
    binary=$new_binary
    [ "$side" = base ] && binary=$base_binary
    echo "run $rep of $reps: $side" >&2
    "${pin[@]}" "$binary" --benchmark_filter="$filter" --benchmark_format=json \
      > "$results/$side-$rep.json"
  done
done

echo "base $(git log -1 --format='%h %s' "$base")"
if [ -n "$new" ]; then
  echo "new  $(git log -1 --format='%h %s' "$new")"
else
  echo "new  the working tree on $(git log -1 --format='%h %s' HEAD)"
fi
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$reps interleaved runs each${pin:+, pinned to core 0}; median ns per particle (per quad for DrawAll)"
python3 - "$results" <<'EOF'
import glob, json, re, statistics, sys

def medians(side):
    runs = {}
    for path in glob.glob(f"{sys.argv[1]}/{side}-*.json"):
        for bench in json.load(open(path))["benchmarks"]:
            if "ns_per_item" in bench:  # seconds in JSON, whatever its name
                name = re.sub(r"/iterations:\d+$", "", bench["name"])
                runs.setdefault(name, []).append(bench["ns_per_item"] * 1e9)
    return {name: statistics.median(values) for name, values in runs.items()}

base, new = medians("base"), medians("new")
names = [name for name in new if name in base]
width = max(len(name) for name in names)
print(f"{'benchmark':<{width}}  {'base ns':>8}  {'new ns':>8}  {'new/base':>8}")
for name in names:
    print(f"{name:<{width}}  {base[name]:8.2f}  {new[name]:8.2f}  {new[name] / base[name]:8.3f}")
EOF
