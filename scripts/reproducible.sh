#!/usr/bin/env bash
# Checks that a download reproduces: builds it twice from this tree, in two
# folders and with one SOURCE_DATE_EPOCH (the last commit's time unless it
# is set), makes its packages with cpack in each, and compares them byte
# for byte.  Fails on the first package that differs.
#   scripts/reproducible.sh KIND [FIRST SECOND]
# KIND    linux  the .tar.gz and the Debian packages (preset package)
#         win64  the 64-bit zip (preset windows-x64)
#         win32  the 32-bit zip (preset windows-x86)
# FIRST, SECOND  the two build folders; by default build/reproducible/KIND
#         and build/reproducible/KIND-second, whose paths differ in length
#         too.  A folder built before is brought up to date.
# The packages stay in FIRST/packages and SECOND/packages.  The Windows
# builds need what their stages of scripts/test.sh install.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-}
case $kind in
  linux) preset=package patterns=('*.tar.gz' '*.deb') ;;
  win64) preset=windows-x64 patterns=('*.zip') ;;
  win32) preset=windows-x86 patterns=('*.zip') ;;
  *) echo "usage: reproducible.sh linux|win64|win32 [FIRST SECOND]" >&2; exit 2 ;;
esac
first=${2:-build/reproducible/$kind}
second=${3:-build/reproducible/$kind-second}
jobs=$(nproc 2>/dev/null || echo 2)
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH

for build in "$first" "$second"; do
  cmake --preset "$preset" -B "$build" >/dev/null
  cmake --build "$build" -j "$jobs"
  rm -rf "$build/packages"
  (cd "$build" && cpack >/dev/null)
done

shopt -s nullglob
compared=0
for pattern in "${patterns[@]}"; do
  for package in "$first/packages"/$pattern; do
    name=$(basename "$package")
    if ! cmp "$package" "$second/packages/$name"; then
      echo "reproducible: $name differs between $first and $second" >&2
      exit 1
    fi
    echo "reproducible: $name is the same in both builds"
    compared=$((compared + 1))
  done
done
[ "$compared" -gt 0 ] || { echo "reproducible: no package made in $first" >&2; exit 1; }
