#!/usr/bin/env bash
# Makes the downloads with cpack and uses each one as the README's
# "Download and use" tells a user: unpack it into an empty folder, build the
# example tire model library and the driver that plays the solver against
# it, run them, and compare the table with the example's reference table.
#   scripts/package-check.sh linux BUILD_DIR      the .tar.gz and the .deb packages
#   scripts/package-check.sh win64 BUILD_DIR      the 64-bit zip, run under Wine
#   scripts/package-check.sh win32 BUILD_DIR      the 32-bit zip, run under 32-bit Wine
#                                                 where the machine runs 32-bit programs
# BUILD_DIR is a configured and built folder of this project; the packages
# are left in BUILD_DIR/packages, the scratch folders in BUILD_DIR/package-check.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=$1
build=$(realpath "$2")
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
work=$build/package-check
docdir=share/doc/lynxUtility
rm -rf "$work" "$build/packages"
mkdir -p "$work"
(cd "$build" && cpack)

# Unpacks archive $1 into the empty folder $2 as a user would.
unpack() {
  mkdir -p "$2"
  (cd "$2" && cmake -E tar xf "$1")
}

# The example against folder $1: the C and Fortran model libraries and the
# driver with CMake, and the other ways of examples_check.cmake.
check_linux_folder() {
  cmake -DPREFIX="$1" -DWORK_DIR="$2" -DLIBDIR=lib -DDOCDIR=$docdir \
    -DC_COMPILER=cc -DFortran_COMPILER=gfortran -P tests/examples_check.cmake
}

check_linux() {
  local name
  name=lynxUtility-$version-Linux-$(uname -m)
  unpack "$build/packages/$name.tar.gz" "$work/tgz"
  check_linux_folder "$work/tgz/$name" "$work/tgz-examples"
  echo "package: $name.tar.gz builds and runs the example"

  local arch runtime host dev
  arch=$(dpkg --print-architecture)
  runtime=$build/packages/liblynxutility1_${version}_$arch.deb
  host=$build/packages/lynxutility-host_${version}_$arch.deb
  dev=$build/packages/liblynxutility-dev_${version}_$arch.deb
  dpkg-deb -I "$dev" | grep -x " Depends: liblynxutility1 (= $version), lynxutility-host (= $version)" >/dev/null ||
    { dpkg-deb -I "$dev"; echo "package: the dev package does not depend on this version's libraries" >&2; exit 1; }
  # The runtime package holds the library under its SONAME and no link for
  # the linker; the development package has that link.
  local files
  files=$(dpkg-deb -c "$runtime" | awk '$1 !~ /^d/ { print $6 }')
  [ "$files" = "$(printf './usr/lib/liblynxUtility.so.1\n./usr/lib/liblynxUtility.so.1.0.0')" ] ||
    { echo "package: liblynxutility1 holds otherwise than the library:"; echo "$files"; exit 1; } >&2
  dpkg-deb -c "$dev" | grep ' ./usr/lib/liblynxUtility.so -> liblynxUtility.so.1$' >/dev/null ||
    { echo "package: liblynxutility-dev lacks the link liblynxUtility.so" >&2; exit 1; }
  for deb in "$runtime" "$host" "$dev"; do
    dpkg -x "$deb" "$work/deb-root"
  done
  check_linux_folder "$work/deb-root/usr" "$work/deb-examples"
  echo "package: the Debian packages build and run the example"
}

# The zip of word size $1 (64 or 32): unpacked, the model DLLs and the driver
# built with the mingw-w64 compilers as the example's README has them.
check_windows() {
  local bits=$1 triplet name folder args=()
  name=lynxUtility-$version-win$bits
  unpack "$build/packages/$name.zip" "$work/zip"
  folder=$work/zip/$name
  # The build below uses the rest of the folder.
  [ -f "$folder/lib/lynxUtility.def" ] || { echo "package: $name.zip lacks lib/lynxUtility.def" >&2; exit 1; }
  if [ "$bits" = 64 ]; then
    triplet=x86_64-w64-mingw32
    args+=("-DFC=$triplet-gfortran-posix" "-DEMULATOR=$PWD/windows/wine-run.sh|-64|$build/wineprefix")
  else
    triplet=i686-w64-mingw32
    args+=("-DIMPORTS=_KXF_TIR_AXIS@48|_KX_BUILD_MES@20")
    if [ "${LYNX_RUNS_32BIT:-0}" = 1 ]; then
      args+=("-DEMULATOR=$PWD/windows/wine-run.sh|-32|$build/wineprefix")
    else
      echo "package: $name.zip: the model DLLs and the driver are built and their imports checked," \
        "not run: this machine runs no 32-bit programs"
    fi
  fi
  cmake -DPREFIX="$folder" -DWORK_DIR="$work/zip-examples" -DDOCDIR=$docdir -DCC=$triplet-gcc-posix \
    -DOBJDUMP=$triplet-objdump -DEXPORTS="$PWD/src/exports.txt" "${args[@]}" \
    -P tests/model_library_check.cmake
  echo "package: $name.zip builds the example"
}

case $kind in
  linux) check_linux ;;
  win64) check_windows 64 ;;
  win32) check_windows 32 ;;
  *) echo "usage: package-check.sh linux|win64|win32 BUILD_DIR" >&2; exit 2 ;;
esac
