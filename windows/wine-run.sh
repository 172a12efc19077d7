#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix:
#   windows/wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
#   windows/wine-run.sh PREFIX --start    make the prefix, check that Wine runs
#   windows/wine-run.sh PREFIX --stop     end the prefix's wineserver
# The toolchain file makes this the emulator of the Windows builds.  The
# prefix is made on first use (under a lock, so parallel tests wait for it),
# Wine's own diagnostics are off, and the program's exit status is returned.
# When Wine cannot run, the status is non-zero and the reason is on stderr.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
WINEPREFIX=$(realpath -m "$1")
export WINEPREFIX
shift
export WINEDEBUG=${LYNX_WINEDEBUG:--all}
# No display: Wine must not try to open windows or dialogs.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml,winemenubuilder.exe="}
wine=${LYNX_WINE:-wine}
if ! command -v "$wine" >/dev/null; then
  echo "wine-run.sh: '$wine' not found: install Debian's wine and wine64 packages" >&2
  exit 127
fi
# The prefix is ready once this file exists.
ready=$WINEPREFIX/.lynx-prefix-ready
if [ ! -f "$ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$ready" ]; then
      if ! "$wine" wineboot -i >"$WINEPREFIX.log" 2>&1 9>&-; then
        echo "wine-run.sh: Wine could not make the prefix $WINEPREFIX:" >&2
        cat "$WINEPREFIX.log" >&2
        exit 1
      fi
      wineserver -w
      touch "$ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# One wineserver serves every program run in the prefix; it stays up for
# LYNX_WINESERVER_LINGER seconds (default 60) after the last one ends, so
# the many short test programs do not each start one.  The server and Wine's
# services are started here, detached from this program's output: started
# by the program itself they would hold its output open, and whoever waits
# for the end of that output (ctest) would wait for them.
(
  flock 9
  if wineserver -p"${LYNX_WINESERVER_LINGER:-60}" </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1 9>&- || {
      echo "wine-run.sh: Wine cannot run programs in $WINEPREFIX" >&2
      exit 1
    }
  fi
) 9>"$WINEPREFIX.lock"
case $1 in
  --start)
    # Checks that Wine runs a program: the test run's first step.
    exec "$wine" cmd /c exit 0 ;;
  --stop)
    exec wineserver -k ;;
esac
exec "$wine" "$@"
