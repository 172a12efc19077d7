#!/usr/bin/env bash
# Builds the benchmarks in Release mode and runs them, single-threaded, each
# routine side by side with its peer.  As root it first installs the peers
# (benchmark-only dependencies; the library needs none of them).
#   scripts/bench.sh [benchmark-program ...]   (default: all of them)
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/ensure-packages.sh cmake g++ make libbenchmark-dev libopenblas-dev libeigen3-dev libgsl-dev

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DLYNX_BUILD_BENCH=ON -DLYNX_BUILD_TESTS=OFF
cmake --build build/bench -j "$(nproc 2>/dev/null || echo 2)"

export OPENBLAS_NUM_THREADS=1 OMP_NUM_THREADS=1 LYNX_HOST_QUIET=1
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
  mapfile -t programs < <(find build/bench/bin -maxdepth 1 -type f -name 'bench_*' -perm -u+x | sort)
fi
for p in "${programs[@]}"; do
  [ -x "$p" ] || p="build/bench/bin/$p"
  echo "== $p"
  "$p" --benchmark_min_time=0.2
done
