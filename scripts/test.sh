#!/usr/bin/env bash
# Builds and runs the whole test suite: once with warnings as errors, then
# again under AddressSanitizer and UndefinedBehaviorSanitizer.  As root it
# first installs what the build needs.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev

jobs=$(nproc 2>/dev/null || echo 2)

echo "== build and test (-Wall -Wextra -Werror)"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLYNX_WERROR=ON -DLYNX_REQUIRE_TEST_PEERS=ON
cmake --build build/test -j "$jobs"
(cd build/test && ctest --output-on-failure -j "$jobs")

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer (-march=native)"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DLYNX_WERROR=ON -DLYNX_REQUIRE_TEST_PEERS=ON \
  -DLYNX_SANITIZE=address,undefined -DCMAKE_CXX_FLAGS="-march=native -O1" \
  -DCMAKE_C_FLAGS="-march=native -O1"
cmake --build build/sanitize -j "$jobs"
(cd build/sanitize && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j "$jobs")
