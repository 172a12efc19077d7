#!/usr/bin/env bash
# Compares the timings of the Linux library and the Windows DLL (run under
# Wine), routine by routine, with lynx-timing from two builds:
#   scripts/timing.sh [LINUX_BUILD [WINDOWS_BUILD]]
# (defaults build/werror, the werror stage's folder, and build/windows-x64).
# Each program runs LYNX_TIMING_ROUNDS times (default 5), alternating, and
# each routine keeps its best time.  Prints both times, the Windows/Linux ratio and whether both
# builds computed the same bits; exits 1 when a ratio is above
# LYNX_TIMING_LIMIT (default 1.1) or the bits differ.  A timing program, not
# a test: run it on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build/werror}
windows=${2:-build/windows-x64}
limit=${LYNX_TIMING_LIMIT:-1.1}
for program in "$linux/bin/lynx-timing" "$windows/bin/lynx-timing.exe"; do
  if [ ! -f "$program" ]; then
    echo "timing.sh: $program is missing: build the lynx-timing target in both builds" >&2
    exit 2
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for ((round = 0; round < ${LYNX_TIMING_ROUNDS:-5}; ++round)); do
  "$linux/bin/lynx-timing" >>"$work/linux"
  windows/wine-run.sh "$windows/wineprefix" "$windows/bin/lynx-timing.exe" | tr -d '\r' >>"$work/windows"
done
awk -v limit="$limit" '
  function take(line, side,   name, rest, f) {
    name = substr(line, 1, 26); sub(/ +$/, "", name)
    rest = substr(line, 27); split(rest, f, " ")
    if (!(name in seen)) { seen[name] = 1; order[++count] = name }
    key = side SUBSEP name
    if (!(key in best) || f[1] + 0 < best[key]) best[key] = f[1] + 0
    digest[key] = f[2]
  }
  FNR == 1 { side = (side == "" ? "linux" : "windows") }
  { take($0, side) }
  END {
    printf "%-26s %12s %12s %8s  %s\n", "routine", "Linux ns", "Windows ns", "ratio", "same bits"
    bad = 0
    for (i = 1; i <= count; ++i) {
      n = order[i]; l = best["linux" SUBSEP n]; w = best["windows" SUBSEP n]
      ratio = w / l
      same = digest["linux" SUBSEP n] == digest["windows" SUBSEP n] ? "yes" : "NO"
      flag = ratio > limit ? "  above " limit : ""
      if (ratio > limit || same != "yes") bad = 1
      printf "%-26s %12.2f %12.2f %8.3f  %s%s\n", n, l, w, ratio, same, flag
    }
    exit bad
  }' "$work/linux" "$work/windows"
