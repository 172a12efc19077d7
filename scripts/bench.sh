#!/usr/bin/env bash
# Builds the benchmarks (preset bench, Release) and runs them, single-
# threaded, each routine side by side with its peer.  As root it first
# installs the peers (benchmark-only dependencies; the library needs none
# of them).
#   scripts/bench.sh [benchmark-program ...]   (default: all of them)
# LYNX_BENCH_BUILD names another build folder than build/bench.
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
  "$p" --benchmark_min_time=0.2
done
