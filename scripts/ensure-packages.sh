#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are missing,
# when run as root on a machine with apt-get; elsewhere it does nothing.
# A package of another architecture (wine32:i386) first enables that
# architecture when it is not enabled yet.
#   scripts/ensure-packages.sh PACKAGE...
set -euo pipefail
[ "$(id -u)" = 0 ] && command -v apt-get >/dev/null || exit 0
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
for p in "${missing[@]}"; do
  case $p in
    *:*)
      arch=${p##*:}
      if [ "$arch" != "$(dpkg --print-architecture)" ] &&
        ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
        dpkg --add-architecture "$arch"
      fi ;;
  esac
done
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y "${missing[@]}"
