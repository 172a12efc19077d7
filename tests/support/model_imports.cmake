# What a tire model's library may take from outside itself: lynxUtility's
# routines (src/exports.txt), the services a solver provides (HxUtility and
# nolt), and the language runtimes'.  The embedded host's control routines
# (hxhost_..., nolt_open, ...) exist in no solver and are not allowed.
# Shared by every check of a model's imports; each names its platform's
# runtime symbols.
set(LYNX_SOLVER_SERVICES GTUNTS ERRMES c_errmes c_usrmes GTOUT GTSTRG NCHARS SYSARY
  rto_read_quoted_string RTO_READ_QUOTED_STRING_F2C)

# lynx_foreign_imports(<out> <exports file> <runtime regex> <symbol>...)
#   Sets <out> to the symbols that are none of the above, those matching
#   <runtime regex> counting as the runtimes'.  A version after '@'
#   (KXCONV@LYNXUTILITY_1) is not part of the name, nor is the decoration of
#   a 32-bit Windows stdcall name (_KXCONV@12).
function(lynx_foreign_imports out exports_file runtime)
  file(STRINGS ${exports_file} lines)
  set(allowed ${LYNX_SOLVER_SERVICES})
  foreach(line IN LISTS lines)
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)")
      list(APPEND allowed ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(foreign "")
  foreach(symbol IN LISTS ARGN)
    string(REGEX REPLACE "^_(.*)@[0-9]+$" "\\1" name "${symbol}")
    string(REGEX REPLACE "@.*" "" name "${name}")
    if(NOT name IN_LIST allowed AND NOT symbol MATCHES "${runtime}")
      list(APPEND foreign ${symbol})
    endif()
  endforeach()
  set(${out} "${foreign}" PARENT_SCOPE)
endfunction()
