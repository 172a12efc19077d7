#!/usr/bin/env bash
# Builds the benchmarks (preset bench, Release) and runs them, single-
# threaded, each routine side by side with its peer.  As root it first
# installs the peers (benchmark-only dependencies; the library needs none
# of them).
#   scripts/bench.sh [benchmark-program ...]   (default: all of them)
# LYNX_BENCH_BUILD names another build folder than build/bench.
# Each row reports the median of 5 repetitions, run in random order among
# the rows of its program: a shared machine's speed drifts (one program's
# times moved by a factor of 1.7 between two runs a minute apart here), and
# interleaving spreads that drift over a routine and its peer alike, so that
# their ratio holds.  LYNX_BENCH_ARGS replaces these options.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/ensure-packages.sh cmake g++ make libbenchmark-dev libopenblas-dev libeigen3-dev libgsl-dev

build=${LYNX_BENCH_BUILD:-build/bench}
cmake --preset bench -B "$build"
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"

export OPENBLAS_NUM_THREADS=1 OMP_NUM_THREADS=1 LYNX_HOST_QUIET=1
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
  mapfile -t programs < <(find "$build/bin" -maxdepth 1 -type f -name 'bench_*' -perm -u+x | sort)
fi
for p in "${programs[@]}"; do
  [ -x "$p" ] || p="$build/bin/$p"
  echo "== $p"
  # shellcheck disable=SC2086
  "$p" ${LYNX_BENCH_ARGS:---benchmark_min_time=0.2 --benchmark_repetitions=5 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true}
done
