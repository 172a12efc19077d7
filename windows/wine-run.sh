#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix:
#   windows/wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
#   windows/wine-run.sh PREFIX --start    make the prefix, keep a wineserver up
#   windows/wine-run.sh PREFIX --stop     end that wineserver
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
      if ! "$wine" wineboot -i >"$WINEPREFIX.log" 2>&1; then
        echo "wine-run.sh: Wine could not make the prefix $WINEPREFIX:" >&2
        cat "$WINEPREFIX.log" >&2
        exit 1
      fi
      wineserver -w
      touch "$ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
case $1 in
  --start)
    # A wineserver that stays up until --stop, so that the test programs
    # do not each start one.
    wineserver -p
    exec "$wine" cmd /c exit 0 ;;
  --stop)
    exec wineserver -k ;;
esac
exec "$wine" "$@"
