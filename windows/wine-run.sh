#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix:
#   windows/wine-run.sh [-32|-64] PREFIX PROGRAM [ARGUMENTS...]
#   windows/wine-run.sh [-32|-64] PREFIX --start    make the prefix, check that Wine runs
#   windows/wine-run.sh [-32|-64] PREFIX --stop     end the prefix's wineserver
# The toolchain file makes this the emulator of the Windows builds, with the
# word size of the build (-64 by default).  The prefix is made on first use
# (under a lock, so parallel tests wait for it), Wine's own diagnostics are
# off, and the program's exit status is returned.  When Wine cannot run,
# the status is non-zero and the reason is on stderr.
#
# The loader is Wine's own for the word size, started directly: Debian's
# `wine` script always picks the 32-bit loader once wine32 is installed,
# which fails for 64-bit programs on a kernel that runs no 32-bit programs.
# LYNX_WINE names another loader (LYNX_WINE=wine for the distribution's
# script, or a loader of another Wine installation).
set -euo pipefail
bits=64
case ${1:-} in
  -32 | -64) bits=${1#-}; shift ;;
esac
if [ $# -lt 2 ]; then
  echo "usage: wine-run.sh [-32|-64] PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
WINEPREFIX=$(realpath -m "$1")
export WINEPREFIX
shift
export WINEDEBUG=${LYNX_WINEDEBUG:--all}
# No display: Wine must not try to open windows or dialogs.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml,winemenubuilder.exe="}
if [ "$bits" = 64 ]; then
  packages="wine and wine64"
  default_loader=/usr/lib/wine/wine64
else
  packages="wine and wine32:i386"
  default_loader=/usr/lib/wine/wine
fi
wine=${LYNX_WINE:-$default_loader}
if ! command -v "$wine" >/dev/null; then
  echo "wine-run.sh: Wine's $bits-bit loader '$wine' not found: install Debian's $packages packages" >&2
  exit 127
fi
# The loader started directly must know itself, to start Wine's own
# programs and services with the same word size.
if [ -z "${WINELOADER:-}" ] && [ "$wine" = "$default_loader" ]; then
  export WINELOADER=$wine
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
