#!/usr/bin/env bash
# Builds and runs the test suite in named stages.  As root each stage first
# installs what it needs.
#   scripts/test.sh              every stage, in the order of STAGES below
#   scripts/test.sh STAGE...     only the named stages
#   scripts/test.sh --list       the stage names, one per line
# A stage that cannot run fails loudly; none passes without running its tests.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

# The stages of a full run, in order.
STAGES=(werror sanitize users tsan clang valgrind fuzz arm windows-x64 windows-x86)

# Configures, builds and runs ctest in build/<dir>, with extra cmake args.
build_and_ctest() {
  local dir=$1
  shift
  cmake -S . -B "build/$dir" -DLYNX_BUILD_TESTS=ON "$@"
  cmake --build "build/$dir" -j "$jobs"
  (cd "build/$dir" && ctest --output-on-failure --no-tests=error -j "$jobs")
}

# -Wall -Wextra -Werror, optimised with debug information.
stage_werror() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev
  build_and_ctest test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLYNX_WERROR=ON -DLYNX_REQUIRE_TEST_PEERS=ON
}

# AddressSanitizer and UndefinedBehaviorSanitizer, with -march=native so the
# bit-exact tests also run on the fused-multiply-add instruction set.
stage_sanitize() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev
  cmake -S . -B build/sanitize -DLYNX_BUILD_TESTS=ON -DCMAKE_BUILD_TYPE=Debug -DLYNX_WERROR=ON -DLYNX_REQUIRE_TEST_PEERS=ON \
    -DLYNX_SANITIZE=address,undefined -DCMAKE_CXX_FLAGS="-march=native -O1" \
    -DCMAKE_C_FLAGS="-march=native -O1"
  cmake --build build/sanitize -j "$jobs"
  (cd build/sanitize && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure --no-tests=error -j "$jobs")
}

# What users of the library meet: the Fortran module's tests (gfortran is
# required), the example tire model built in C and Fortran against an
# installed copy with a two-level library directory as multiarch systems
# have, and the documentation check.  Builds no GoogleTest program.
stage_users() {
  ./scripts/ensure-packages.sh cmake g++ make gfortran pkg-config libgtest-dev
  cmake -S . -B build/users -DLYNX_BUILD_TESTS=ON -DLYNX_WERROR=ON -DLYNX_REQUIRE_FORTRAN=ON \
    -DLYNX_CHECK_EXAMPLES=ON -DCMAKE_INSTALL_LIBDIR="lib/$(uname -m)-linux-gnu"
  cmake --build build/users -j "$jobs" --target lynx_users_checks
  (cd build/users && ctest --output-on-failure --no-tests=error -L users -j "$jobs")
}

# ThreadSanitizer: the suite, whose stress test runs every exported routine
# from four threads at once; any report fails the test that caused it.
stage_tsan() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev
  TSAN_OPTIONS=halt_on_error=1 build_and_ctest tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLYNX_WERROR=ON -DLYNX_REQUIRE_TEST_PEERS=ON -DLYNX_SANITIZE=thread
}

# The suite built with clang, optimised.
stage_clang() {
  ./scripts/ensure-packages.sh cmake clang make libgtest-dev libgsl-dev
  build_and_ctest clang -DCMAKE_BUILD_TYPE=Release -DLYNX_WERROR=ON -DLYNX_REQUIRE_TEST_PEERS=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
}

# valgrind's memcheck on the werror stage's build (reused when it is there):
# each test program in full (with lynx-curve as its tests run it), then the
# tests that run lynx-demo and the C program through scripts.  Any error or
# definite or possible leak fails.
stage_valgrind() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev valgrind
  cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLYNX_BUILD_TESTS=ON -DLYNX_WERROR=ON \
    -DLYNX_REQUIRE_TEST_PEERS=ON
  cmake --build build/test -j "$jobs"
  local -x LYNX_TEST_LAUNCHER="valgrind -q --error-exitcode=99 --leak-check=full \
--errors-for-leak-kinds=definite,possible --show-leak-kinds=definite,possible"
  mkdir -p build/test/memcheck
  # shellcheck disable=SC2016
  (cd build/test/tests && find ../bin -name 'test_*' -type f -perm -u+x | sort |
    LYNX_HOST_QUIET=1 xargs -P "$jobs" -I{} sh -c 'log=../memcheck/$(basename {}).log
      if $LYNX_TEST_LAUNCHER {} --gtest_brief=1 >"$log" 2>&1; then echo "memcheck clean: {}";
      else cat "$log"; echo "memcheck FAILED: {}"; exit 1; fi')
  (cd build/test && ctest --output-on-failure --no-tests=error -j "$jobs" -E '^(install|LynxCurve)[.]')
}

# Every fuzz target for 15 s (scripts/fuzz.sh with its default is the long
# run); a finding fails.
stage_fuzz() {
  ./scripts/fuzz.sh 15
}

# Cross-built for 64-bit ARM Linux, where the compiler would fuse multiplies
# and adds unless told not to, and run under qemu-user: every bit-exact test
# must pass unchanged.  GoogleTest is first built for the target from
# Debian's source package.  Not run there: the agreement test against GSL
# (no GSL for the target) and the installation test (it builds a consumer
# with the host's compiler).
stage_arm() {
  ./scripts/ensure-packages.sh cmake make g++-aarch64-linux-gnu googletest qemu-user
  local toolchain=$PWD/cmake/aarch64-linux-gnu.cmake gtest=$PWD/build/arm-gtest
  cmake -S /usr/src/googletest -B build/arm-gtest -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install"
  cmake --build build/arm-gtest -j "$jobs" --target install
  cmake -S . -B build/arm -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLYNX_BUILD_TESTS=ON -DLYNX_WERROR=ON -DGTest_DIR="$gtest/install/lib/cmake/GTest"
  cmake --build build/arm -j "$jobs"
  (cd build/arm && ctest --output-on-failure --no-tests=error -j "$jobs" -E '^install[.]')
}

# The 64-bit Windows DLLs cross-built with mingw-w64, and the whole test
# suite run under Wine in a scratch prefix inside the build folder.  Wine
# that cannot start fails the first test (wine.start) and so the stage.
stage_windows_x64() {
  ./scripts/ensure-packages.sh cmake ninja-build googletest g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 wine wine64
  cmake --preset windows-x64
  cmake --build --preset windows-x64 -j "$jobs"
  ctest --preset windows-x64 -j "$jobs"
}

# The legacy 32-bit Windows library, cross-built with mingw-w64 (i686), and
# the test suite's cases for it run under 32-bit Wine (the i386 architecture
# is enabled to install it).  Wine that cannot start fails the first test
# (wine.start) and so the stage.
stage_windows_x86() {
  ./scripts/ensure-packages.sh cmake ninja-build googletest g++-mingw-w64-i686-posix \
    binutils-mingw-w64-i686 wine wine32:i386
  cmake --preset windows-x86
  cmake --build --preset windows-x86 -j "$jobs"
  ctest --preset windows-x86 -j "$jobs"
}

if [ "${1:-}" = --list ]; then
  printf '%s\n' "${STAGES[@]}"
  exit 0
fi
selected=("$@")
[ ${#selected[@]} -gt 0 ] || selected=("${STAGES[@]}")
for stage in "${selected[@]}"; do
  if ! declare -F "stage_${stage//-/_}" >/dev/null; then
    echo "test.sh: unknown stage '$stage'; the stages are: ${STAGES[*]}" >&2
    exit 2
  fi
done

summary=()
for stage in "${selected[@]}"; do
  echo "== stage $stage"
  start=$(date +%s)
  "stage_${stage//-/_}"
  summary+=("$stage: $(($(date +%s) - start)) s")
done
echo "== stage times"
printf '  %s\n' "${summary[@]}"
