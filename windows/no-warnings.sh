#!/usr/bin/env bash
# Runs a build tool and fails when it warns:
#   windows/no-warnings.sh PROGRAM [ARGUMENTS...]
# binutils' strip, objcopy and dlltool, and lld-link, have no option that
# makes a warning fatal; what they print on standard error is shown and, if
# anything was printed, the step fails even when the tool itself succeeded.
set -uo pipefail
err=$(mktemp)
trap 'rm -f "$err"' EXIT
"$@" 2>"$err"
status=$?
if [ -s "$err" ]; then
  cat "$err" >&2
  [ "$status" -ne 0 ] || echo "no-warnings.sh: $1 warned; a warning fails the Windows build" >&2
  exit 1
fi
exit "$status"
