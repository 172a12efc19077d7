#!/usr/bin/env bash
# Compares the built shared library's ABI with the one released, stored in
# abi/<SONAME>.abi (abi/liblynxUtility.so.1.abi; written by abidw from
# libabigail's tools).
#   scripts/abi.sh [LIBRARY]            compare (default: the werror stage's
#                                       build/werror/lib/liblynxUtility.so.1)
#   scripts/abi.sh --update [LIBRARY]   store LIBRARY's ABI as the released one
# A removed or changed exported routine (its arguments, their types, the
# layout of a struct it takes) fails; an added routine is reported and
# passes.  Only the public headers' types count (include/lynx).
set -euo pipefail
cd "$(dirname "$0")/.."
update=false
if [ "${1:-}" = --update ]; then
  update=true
  shift
fi
library=${1:-build/werror/lib/liblynxUtility.so.1}
if [ ! -f "$library" ]; then
  echo "abi.sh: no library at $library: build it first (cmake --preset werror && cmake --build --preset werror)" >&2
  exit 2
fi
soname=$(objdump -p "$library" | awk '$1 == "SONAME" { print $2 }')
baseline=abi/${soname:?no SONAME in $library}.abi
if ! $update && [ ! -f "$baseline" ]; then
  echo "abi.sh: no released ABI $baseline for $library's SONAME" >&2
  exit 1
fi
if $update; then
  abidw --headers-dir include/lynx --drop-private-types --no-corpus-path "$library" >"$baseline"
  echo "abi.sh: stored the ABI of $library in $baseline"
  exit 0
fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
status=0
abidiff --headers-dir1 include/lynx --headers-dir2 include/lynx "$baseline" "$library" >"$report" || status=$?
cat "$report"
# abidiff's status is a bit field: 1 error, 2 usage, 4 ABI change, 8 an
# incompatible change.  An ABI change may be only added routines, which a
# released library may gain; its summary lines say what changed.
if [ $((status & 3)) -ne 0 ]; then
  echo "abi.sh: abidiff failed (status $status)" >&2
  exit 1
fi
# The summary lines: "Functions changes summary: 0 Removed, 1 Changed, 2 Added functions".
count() {
  { grep -E '^(Functions|Variables) changes summary:' "$report" || true; } |
    { grep -Eo "[0-9]+ ($1)" || true; } | awk '{ n += $1 } END { print n + 0 }'
}
changed=$(count 'Removed|Changed')
if [ $((status & 8)) -ne 0 ] || [ "$changed" -ne 0 ]; then
  echo "abi.sh: $library breaks the released ABI ($baseline): see above." >&2
  echo "abi.sh: a deliberate change needs a new SONAME or version node; then scripts/abi.sh --update." >&2
  exit 1
fi
added=$(count Added)
echo "abi.sh: $library keeps the released ABI of $baseline ($added added)"
