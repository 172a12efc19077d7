cmake_minimum_required(VERSION 3.16)
# A tire model's shared library (ELF) needs nothing a solver lacks: every
# symbol it leaves undefined is allowed by model_imports.cmake.  Weak
# references need no provider and are skipped.
#   cmake -DNM=... -DLIBRARY=... -DEXPORTS=src/exports.txt -P check_model_symbols.cmake
include(${CMAKE_CURRENT_LIST_DIR}/model_imports.cmake)
execute_process(COMMAND ${NM} -D --undefined-only ${LIBRARY}
  RESULT_VARIABLE status OUTPUT_VARIABLE listing ERROR_VARIABLE error)
if(status)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}: ${error}")
endif()
string(REGEX MATCHALL "[ \t]U [^\n]+" undefined "${listing}")
list(TRANSFORM undefined REPLACE "^[ \t]U " "")
if(NOT "rto_read_quoted_string" IN_LIST undefined)
  message(FATAL_ERROR "${LIBRARY} does not call the property-file reader:\n${listing}")
endif()
# The runtimes: gfortran's, flang's, the C library's (versioned) and the
# compilers' own helpers.
lynx_foreign_imports(foreign ${EXPORTS} "^(_gfortran_|_Fortran|__)|@GLIBC" ${undefined})
if(foreign)
  list(JOIN foreign "\n  " foreign)
  message(FATAL_ERROR "${LIBRARY} needs symbols that no solver provides:\n  ${foreign}")
endif()
list(LENGTH undefined count)
message(STATUS "${count} undefined symbols, each the library's, a solver's service or a runtime's")
