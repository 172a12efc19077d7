#!/usr/bin/env bash
# Links the library's objects into the one object that the 32-bit DLL is
# made of, keeping only what the exported routines reach:
#   keep-exported.sh LD OBJCOPY STRIP OUTPUT -u SYMBOL... -- OBJECT...
# (Legacy32.cmake calls it with the exported routines as the -u roots.)
#
#   1. Each object's constant pool (.rdata: the texts of messages,
#      floating-point constants) is renamed to a section of that object's
#      own, .rdata$lynx<N>.  A datum that several objects define, such as
#      an inline table of texts, is kept once, from the first object, and
#      points into that object's pool; linked at once with the collection
#      of unused sections, the pool of an object whose own code was
#      dropped went with it, and the datum's pointers came out as 0.
#   2. The renamed objects are linked into one, as they are: duplicates
#      are resolved while every pool is still there.
#   3. That object is linked again, keeping only the sections that the
#      roots reach: routines, data and pools alike, so nothing of a
#      dropped routine stays (the identification records among them).
#   4. The symbols that nothing kept refers to are taken out, among them
#      the host's services that only dropped routines call, so the DLL
#      does not import them; so are the debugging sections, which still
#      describe the dropped routines.
# Any warning of these tools fails the step.
set -euo pipefail
ld=$1 objcopy=$2 strip=$3 output=$4
shift 4
roots=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  roots+=("$1")
  shift
done
[ "${1:-}" = -- ] || { echo "keep-exported.sh: usage: LD OBJCOPY STRIP OUTPUT -u SYMBOL... -- OBJECT..." >&2; exit 2; }
shift
no_warnings=$(dirname "$0")/../no-warnings.sh
work=$output.parts
rm -rf "$work"
mkdir -p "$work"
renamed=()
n=0
for object in "$@"; do
  n=$((n + 1))
  "$no_warnings" "$objcopy" --rename-section ".rdata=.rdata\$lynx$n" "$object" "$work/$n.obj"
  renamed+=("$work/$n.obj")
done
"$no_warnings" "$ld" --fatal-warnings -r -o "$work/merged.obj" "${renamed[@]}"
"$no_warnings" "$ld" --fatal-warnings -r --gc-sections "${roots[@]}" -o "$output" "$work/merged.obj"
"$no_warnings" "$strip" --strip-unneeded "$output"
rm -rf "$work"
