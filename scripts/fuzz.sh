#!/usr/bin/env bash
# Builds the fuzz targets with clang (the library and the host stand-ins
# instrumented for coverage too) and runs each for a while, two at a time.
# Fails when a target finds a crash, a leak, undefined behaviour or a
# broken check of its own; the input that did it is kept in
# build/fuzz/findings/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (default: 60 s each, every target)
# TARGET... needs SECONDS before it.
# A target is named without its fuzz_ prefix (arrays, build_mes, ...).  Each
# starts from its seeds in fuzz/corpus/<target>/ and the corpus it grew in
# earlier runs (build/fuzz/corpus/<target>/), with fuzz/dict/<target>.dict
# when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -le 2 ] || jobs=2

./scripts/ensure-packages.sh cmake make clang libclang-rt-dev
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for program in build/fuzz/bin/fuzz_*; do targets+=("$(basename "${program#build/fuzz/bin/fuzz_}")"); done
fi
mkdir -p build/fuzz/findings build/fuzz/logs

# Runs one target; its log goes to build/fuzz/logs/<target>.log.
run_target() {
  local target=$1 root=$PWD
  local program=$root/build/fuzz/bin/fuzz_$target corpus=$root/build/fuzz/corpus/$target
  local seeds=$root/fuzz/corpus/$target dict=$root/fuzz/dict/$target.dict
  local options=(-max_total_time="$seconds" -print_final_stats=1 -close_fd_mask=3 -timeout=10
    -rss_limit_mb=2048 -artifact_prefix="$root/build/fuzz/findings/$target-")
  [ -f "$dict" ] && options+=(-dict="$dict")
  mkdir -p "$corpus"
  [ -d "$seeds" ] || seeds=
  if (cd build/fuzz/findings && LYNX_HOST_QUIET=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$program" "${options[@]}" "$corpus" $seeds) >"build/fuzz/logs/$target.log" 2>&1; then
    echo "ok $target"
  else
    echo "FINDING $target"
  fi
}
export -f run_target
export seconds

echo "== fuzzing ${#targets[@]} targets for ${seconds} s each, $jobs at a time"
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_target {}' \
  | tee build/fuzz/logs/results

# Executions and edges (coverage points reached) of each target.
printf '%-16s %12s %8s %s\n' target executions edges result
failed=0
for target in "${targets[@]}"; do
  log=build/fuzz/logs/$target.log
  runs=$(grep -a 'stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
  edges=$(grep -aoE 'cov: [0-9]+' "$log" | tail -n 1 | awk '{print $2}' || true)
  if grep -qx "ok $target" build/fuzz/logs/results; then
    result=ok
  else
    result=FINDING
    failed=1
  fi
  printf '%-16s %12s %8s %s\n' "$target" "${runs:--}" "${edges:--}" "$result"
done
if [ "$failed" -ne 0 ]; then
  for target in "${targets[@]}"; do
    grep -qx "ok $target" build/fuzz/logs/results && continue
    echo "== fuzz_$target: build/fuzz/logs/$target.log"
    grep -a -A30 -E '^==[0-9]+==|runtime error|deadly signal|fuzz target exited' \
      "build/fuzz/logs/$target.log" | head -60
  done
  echo "fuzz.sh: a target found a fault; its input is in build/fuzz/findings/" >&2
  exit 1
fi
