#!/usr/bin/env bash
# Builds and runs the test suite in named stages.  As root each stage first
# installs what it needs.
#   scripts/test.sh              every stage of STAGES below, in order
#   scripts/test.sh STAGE...     only the named stages
#   scripts/test.sh --list       the stage names, one per line
# A stage that cannot run fails loudly; none passes without running its tests.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

# The stages of a full run, in order.
STAGES=(werror abi mutation sanitize users tsan clang valgrind fuzz arm windows-x64 windows-x86
  package)

# Configures, builds and tests one preset of CMakePresets.json, the one way
# every stage configures: build/<preset>.
run_preset() {
  local preset=$1
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
}

# -Wall -Wextra -Werror, optimised with debug information.
stage_werror() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev
  run_preset werror
}

# The shared library's ABI against the released one (abi/), on the werror
# stage's build (reused when it is there): a removed or changed routine
# fails, an added one is reported.
stage_abi() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev abigail-tools
  cmake --preset werror
  cmake --build --preset werror -j "$jobs" --target lynxUtility
  ./scripts/abi.sh build/werror/lib/liblynxUtility.so.1
}

# AddressSanitizer and UndefinedBehaviorSanitizer, with -march=native so the
# bit-exact tests also run on the fused-multiply-add instruction set.
stage_sanitize() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev
  run_preset sanitize
}

# What users of the library meet: the Fortran modules' tests (gfortran is
# required), the example tire model built in C and Fortran against an
# installed copy with a two-level library directory as multiarch systems
# have, and the documentation check.  Builds no GoogleTest program.  Then
# the same with flang as the Fortran compiler: its Fortran example must
# print exactly what gfortran's does.
stage_users() {
  ./scripts/ensure-packages.sh cmake g++ make gfortran flang-16 pkg-config libgtest-dev
  run_preset users
  run_preset users-flang
  cmp build/users/tests/examples-check/fortran-output.txt \
    build/users-flang/tests/examples-check/fortran-output.txt
  echo "the Fortran example prints the same with gfortran and with flang"
}

# ThreadSanitizer: the suite, whose stress test runs every exported routine
# from four threads at once; any report fails the test that caused it.
stage_tsan() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev
  run_preset tsan
}

# The suite built with clang, optimised.
stage_clang() {
  ./scripts/ensure-packages.sh cmake clang make libgtest-dev libgsl-dev
  run_preset clang
}

# valgrind's memcheck on the werror stage's build (reused when it is there):
# each test program in full (with lynx-curve as its tests run it), then the
# tests that run lynx-demo and the C program through scripts.  Any error or
# definite or possible leak fails.
stage_valgrind() {
  ./scripts/ensure-packages.sh cmake g++ make libgtest-dev libgsl-dev valgrind
  cmake --preset werror
  cmake --build --preset werror -j "$jobs"
  local -x LYNX_TEST_LAUNCHER="valgrind -q --error-exitcode=99 --leak-check=full \
--errors-for-leak-kinds=definite,possible --show-leak-kinds=definite,possible"
  mkdir -p build/werror/memcheck
  # shellcheck disable=SC2016
  (cd build/werror/tests && find ../bin -name 'test_*' -type f -perm -u+x | sort |
    LYNX_HOST_QUIET=1 xargs -P "$jobs" -I{} sh -c 'log=../memcheck/$(basename {}).log
      if $LYNX_TEST_LAUNCHER {} --gtest_brief=1 >"$log" 2>&1; then echo "memcheck clean: {}";
      else cat "$log"; echo "memcheck FAILED: {}"; exit 1; fi')
  ctest --preset werror -j "$jobs" -E '^(install|LynxCurve)[.]'
}

# Every fuzz target for 15 s (scripts/fuzz.sh with its default is the long
# run); a finding fails.
stage_fuzz() {
  ./scripts/fuzz.sh 15
}

# A fixed sample of small changes to src/ (scripts/mutate.py), each built
# and tested in a copy of the tree: below 90 % of them caught by the suite
# fails.  The first run builds the copies (build/mutate/, with Ninja and
# unoptimised); later runs only rebuild what the changes touch.
stage_mutation() {
  ./scripts/ensure-packages.sh cmake g++ ninja-build libgtest-dev libgsl-dev python3
  ./scripts/mutate.py --seed 1 --per-family 5 --min-score 90
}

# Cross-built for 64-bit ARM Linux, where the compiler would fuse multiplies
# and adds unless told not to, and run under qemu-user: every bit-exact test
# must pass unchanged.  GoogleTest is built for the target from Debian's
# source package.  Not run there: the agreement test against GSL (no GSL for
# the target) and the installation test (it builds a consumer with the
# build machine's compiler).
stage_arm() {
  ./scripts/ensure-packages.sh cmake make g++-aarch64-linux-gnu googletest qemu-user
  run_preset arm
}

# The 64-bit Windows DLLs cross-built with mingw-w64 (with its Fortran
# compiler for the example model), and the whole test suite run under Wine's
# 64-bit loader in a scratch prefix inside the build
# folder.  Wine that cannot start fails the first test (wine.start) and so
# the stage.
stage_windows_x64() {
  ./scripts/ensure-packages.sh cmake ninja-build googletest g++-mingw-w64-x86-64-posix \
    gfortran-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 clang lld llvm wine wine64
  run_preset windows-x64
}

# Builds a static 32-bit x86 program that does nothing, to find out whether
# this machine runs 32-bit programs: build/probe-i686/probe.
build_32bit_probe() {
  mkdir -p build/probe-i686
  printf 'int main(void) { return 0; }\n' >build/probe-i686/probe.c
  i686-linux-gnu-gcc -static -o build/probe-i686/probe build/probe-i686/probe.c
}

# The legacy 32-bit Windows library, cross-built with mingw-w64 (i686).
# Where the machine runs 32-bit programs, the test suite's cases for it run
# under 32-bit Wine (the i386 architecture is enabled to install it).  Where
# it cannot, the stage says so, and checks all that needs no 32-bit
# execution: the build, the DLL's image read from the file, and the 32-bit
# arithmetic, from the same sources compiled as the 32-bit build compiles
# them for 32-bit x86 Linux and run under qemu-i386, against the 64-bit
# results.  The image checks run in either case, with the import table of
# the MSVC-style caller (tests/msvc_caller), built and linked by the build.
stage_windows_x86() {
  ./scripts/ensure-packages.sh cmake ninja-build googletest g++ g++-mingw-w64-i686-posix \
    binutils-mingw-w64-i686 clang lld llvm g++-i686-linux-gnu qemu-user
  build_32bit_probe
  local why
  if why=$(build/probe-i686/probe 2>&1); then
    ./scripts/ensure-packages.sh wine wine32:i386
    run_preset windows-x86
  else
    echo "windows-x86: the 32-bit test suite is not run here: this machine's kernel runs no" \
      "32-bit programs (${why##*: }); running the build, the image checks and the arithmetic under qemu-i386"
    cmake --preset windows-x86
    cmake --build --preset windows-x86 -j "$jobs"
    local digest=build/windows-x86/digest-i686
    cmake -S tests/legacy32/digest -B "$digest" -DLYNX_DIGEST_LEGACY32=ON -DLYNX_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/i686-linux-gnu.cmake"
    cmake --build "$digest" -j "$jobs"
    # Some NaN payloads of SSE arithmetic differ under qemu from the hardware.
    qemu-i386 "$digest/legacy32_digest" --compare \
      build/windows-x86/tests/legacy32-reference/reference.txt --nan-as-nan
    cmake -DBUILD_DIR=build/windows-x86 -DWORK_DIR=build/windows-x86/tests/legacy32-install \
      -DSOURCE=tests/legacy32/user.c -DCC=i686-w64-mingw32-gcc-posix \
      -P tests/legacy32/install_check.cmake
    cmake -DBUILD_DIR="$PWD/build/windows-x86" -DWORK_DIR="$PWD/build/windows-x86/tests/model-library" \
      -DDOCDIR=share/doc/lynxUtility -DCC=i686-w64-mingw32-gcc-posix \
      -DOBJDUMP=i686-w64-mingw32-objdump "-DIMPORTS=_KXF_TIR_AXIS@48|_KX_BUILD_MES@20" \
      -DEXPORTS="$PWD/src/exports.txt" -P tests/model_library_check.cmake
  fi
  python3 windows/legacy32/check_image.py --objdump i686-w64-mingw32-objdump \
    --exports src/exports.txt build/windows-x86/bin/lynxUtility.dll \
    --caller build/windows-x86/bin/msvc_caller.exe \
    --calls _UPCASE@8,_KXCONV@12,_KXV_DOT@12,_T31@12,_M33@12,_KXF_TIR_AXIS@48
}

# What a user downloads, made with cpack: the Linux .tar.gz and Debian
# packages from a Release build of their own (build/package), the zips from
# the windows stages' builds (reused when they are there).  Each is unpacked
# and used as the README's "Download and use" says, building and running
# the example tire model and the driver (scripts/package-check.sh).
stage_package() {
  ./scripts/ensure-packages.sh cmake g++ make gfortran pkg-config ninja-build googletest \
    g++-mingw-w64-x86-64-posix gfortran-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 \
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-i686-linux-gnu clang lld llvm
  cmake --preset package
  cmake --build --preset package -j "$jobs"
  ./scripts/package-check.sh linux build/package
  local preset
  for preset in windows-x64 windows-x86; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
  done
  ./scripts/package-check.sh win64 build/windows-x64
  build_32bit_probe
  if build/probe-i686/probe 2>/dev/null; then
    ./scripts/ensure-packages.sh wine wine32:i386
    LYNX_RUNS_32BIT=1 ./scripts/package-check.sh win32 build/windows-x86
  else
    ./scripts/package-check.sh win32 build/windows-x86
  fi
}

if [ "${1:-}" = --list ]; then
  printf '%s\n' "${STAGES[@]}"
  exit 0
fi
selected=("$@")
if [ ${#selected[@]} -eq 0 ]; then
  selected=("${STAGES[@]}")
fi
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
