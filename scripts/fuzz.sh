#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while.
#   scripts/fuzz.sh [seconds-per-target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

command -v clang++ >/dev/null || ./scripts/ensure-packages.sh clang libclang-rt-dev
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DLYNX_BUILD_FUZZ=ON -DLYNX_BUILD_TESTS=OFF \
  -DLYNX_BUILD_TOOLS=OFF -DLYNX_SANITIZE=address,undefined
cmake --build build/fuzz -j "$(nproc 2>/dev/null || echo 2)"

export LYNX_HOST_QUIET=1
for target in build/fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  corpus=build/fuzz/corpus/${name#fuzz_}
  mkdir -p "$corpus"
  seeds=fuzz/corpus/${name#fuzz_}
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" )
done
