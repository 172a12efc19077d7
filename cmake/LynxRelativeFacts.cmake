# Writes the facts of the build (lynx_build_facts.hpp) with every folder of
# the build tree relative to it and every folder of the source tree relative
# to that: "-I/src/tree/include" becomes "-Iinclude", the folder itself ".".
# The build tree comes first, since it may lie inside the source tree.  A
# path is taken where it starts an option's value (after "-I", "=", a blank
# or a parenthesis), so a folder that merely begins like one is left alone.
#   cmake -DINPUT=<header> -DOUTPUT=<header> -DSOURCE_DIR=<dir> -DBINARY_DIR=<dir>
#         -P LynxRelativeFacts.cmake
file(READ "${INPUT}" text)
foreach(dir IN ITEMS "${BINARY_DIR}" "${SOURCE_DIR}")
  string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" pattern "${dir}")
  string(REGEX REPLACE "(^|[ (=]|-I)${pattern}/" "\\1" text "${text}")
  string(REGEX REPLACE "(^|[ (=]|-I)${pattern}([ )\"]|$)" "\\1.\\2" text "${text}")
endforeach()
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
