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

# What the stages install, as root (scripts/ensure-packages.sh): the build
# and test tools of the Linux stages, and the cross tools of the Windows
# ones.  A stage names its lists and what it needs besides.
LINUX=(cmake g++ make libgtest-dev libgsl-dev)
WINDOWS=(cmake ninja-build googletest clang lld llvm)
WIN64=(g++-mingw-w64-x86-64-posix gfortran-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine
  wine64)
WIN32=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++ g++-i686-linux-gnu qemu-user)

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
  ./scripts/ensure-packages.sh "${LINUX[@]}"
  run_preset werror
}

# The shared library's ABI against the released one (abi/), on the werror
# stage's build (reused when it is there): a removed or changed routine
# fails, an added one is reported.
stage_abi() {
  ./scripts/ensure-packages.sh "${LINUX[@]}" abigail-tools
  cmake --preset werror
  cmake --build --preset werror -j "$jobs" --target lynxUtility
  ./scripts/abi.sh build/werror/lib/liblynxUtility.so.1
}

# AddressSanitizer and UndefinedBehaviorSanitizer, with -march=native so the
# bit-exact tests also run on the fused-multiply-add instruction set.
stage_sanitize() {
  ./scripts/ensure-packages.sh "${LINUX[@]}"
  run_preset sanitize
}

# What users of the library meet: the Fortran modules' tests (gfortran is
# required), the example tire model built in C and Fortran against an
# installed copy with a two-level library directory as multiarch systems
# have, and the documentation check.  Builds no GoogleTest program.  Then
# the same with flang as the Fortran compiler: its Fortran example must
# print exactly what gfortran's does.
stage_users() {
  ./scripts/ensure-packages.sh "${LINUX[@]}" gfortran flang-16 pkg-config
  run_preset users
  run_preset users-flang
  cmp build/users/tests/examples-check/fortran-output.txt \
    build/users-flang/tests/examples-check/fortran-output.txt
  echo "the Fortran example prints the same with gfortran and with flang"
}

# ThreadSanitizer: the suite, whose stress test runs every exported routine
# from four threads at once; any report fails the test that caused it.
stage_tsan() {
  ./scripts/ensure-packages.sh "${LINUX[@]}"
  run_preset tsan
}

# The suite built with clang, optimised.
stage_clang() {
  ./scripts/ensure-packages.sh "${LINUX[@]}" clang
  run_preset clang
}

# valgrind's memcheck on the werror stage's build (reused when it is there):
# each test program in full (with lynx-curve as its tests run it), then the
# tests that run lynx-demo and the C program through scripts.  Any error or
# definite or possible leak fails.
stage_valgrind() {
  ./scripts/ensure-packages.sh "${LINUX[@]}" valgrind
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
  ./scripts/ensure-packages.sh "${LINUX[@]}" ninja-build python3
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
  ./scripts/ensure-packages.sh "${WINDOWS[@]}" "${WIN64[@]}"
  run_preset windows-x64
}

# How this machine runs the 32-bit x86 Windows programs, in x86_runner:
# "wine" where its kernel runs 32-bit programs (32-bit Wine is installed,
# the i386 architecture enabled for it), else "qemu" (the loader of
# windows/legacy32/loader under qemu-i386); why, in x86_why.
# LYNX_X86_RUNNER=qemu chooses the loader on any machine.
choose_x86_runner() {
  mkdir -p build/probe-i686
  printf 'int main(void) { return 0; }\n' >build/probe-i686/probe.c
  i686-linux-gnu-gcc -static -o build/probe-i686/probe build/probe-i686/probe.c
  local out
  if [ "${LYNX_X86_RUNNER:-}" = qemu ]; then
    x86_runner=qemu x86_why="LYNX_X86_RUNNER=qemu chooses it"
  elif out=$(build/probe-i686/probe 2>&1); then
    x86_runner=wine x86_why="this machine's kernel runs 32-bit programs"
    ./scripts/ensure-packages.sh wine wine32:i386
  else
    x86_runner=qemu x86_why="this machine's kernel runs no 32-bit programs (${out##*: })"
  fi
}

# The legacy 32-bit Windows library, cross-built with mingw-w64 (i686), and
# its real DLL run on every machine.  With Wine, the whole test suite runs
# under 32-bit Wine.  In any case the DLL is then mapped and run by the
# loader of windows/legacy32/loader under qemu-i386: each export called once
# with the checks of its argument passing, the digest of its arithmetic and
# its report paths compared with the 64-bit library's (written by the
# build).  Without Wine, the tests that build against the installed folder
# build their programs without running them.  The image checks read the
# DLL as a file, and the import table of the MSVC-style caller.
stage_windows_x86() {
  ./scripts/ensure-packages.sh "${WINDOWS[@]}" "${WIN32[@]}"
  choose_x86_runner
  local build=build/windows-x86
  if [ "$x86_runner" = wine ]; then
    echo "windows-x86: the 32-bit DLL runs under 32-bit Wine ($x86_why): the whole 32-bit" \
      "suite; then under the loader and qemu-i386 too"
    run_preset windows-x86
  else
    echo "windows-x86: the 32-bit DLL runs under the loader and qemu-i386, not Wine ($x86_why):" \
      "its exports' argument passing, its arithmetic and its reports"
    cmake --preset windows-x86
    cmake --build --preset windows-x86 -j "$jobs"
    LYNX_NO_EMULATOR=1 ctest --preset windows-x86 -FA '.*' \
      -R '^(install[.]legacy32|examples[.]model_library)$'
  fi
  cmake -S windows/legacy32/loader -B "$build/loader" -DLYNX_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/i686-linux-gnu.cmake" \
    -DLYNX_LEGACY32_GENERATED="$PWD/$build/generated/legacy32"
  cmake --build "$build/loader" -j "$jobs"
  local -x LYNX_LEGACY32_DLL=$build/bin/lynxUtility.dll
  local reference=$build/tests/legacy32-reference
  qemu-i386 "$build/loader/legacy32_calls"
  # Some NaN payloads of SSE arithmetic differ under qemu from the hardware.
  qemu-i386 "$build/loader/legacy32_digest" --compare "$reference/reference.txt" --nan-as-nan
  qemu-i386 "$build/loader/legacy32_reports" --compare "$reference/reports.txt"
  python3 windows/legacy32/check_image.py --objdump i686-w64-mingw32-objdump \
    --exports src/exports.txt --release "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' \
    "$build/CMakeCache.txt")" "$build/bin/lynxUtility.dll" --caller "$build/bin/msvc_caller.exe"
}

# What a user downloads, made with cpack: the Linux .tar.gz and Debian
# packages from a Release build of their own (build/package), the zips from
# the windows stages' builds (reused when they are there).  Each is unpacked
# and used as the README's "Download and use" says, building and running
# the example tire model and the driver (scripts/package-check.sh).  Every
# build is configured with SOURCE_DATE_EPOCH (the last commit's time unless
# it is set), and the Linux one is made a second time in another folder
# (build/package-again), whose .tar.gz and .deb packages must be the same
# byte for byte (scripts/reproducible.sh, which checks the zips likewise).
stage_package() {
  ./scripts/ensure-packages.sh "${LINUX[@]}" gfortran pkg-config python3 "${WINDOWS[@]}" \
    "${WIN64[@]}" "${WIN32[@]}"
  local -x SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-}
  [ -n "$SOURCE_DATE_EPOCH" ] || SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
  cmake --preset package
  cmake --build --preset package -j "$jobs"
  ./scripts/package-check.sh linux build/package
  ./scripts/reproducible.sh linux build/package build/package-again
  local preset
  for preset in windows-x64 windows-x86; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
  done
  ./scripts/package-check.sh win64 build/windows-x64
  choose_x86_runner
  if [ "$x86_runner" = wine ]; then
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
