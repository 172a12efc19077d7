# Installs the 32-bit build into a scratch prefix, builds a user's C program
# against the installed headers and import libraries with the build's C
# compiler, and runs it from the prefix's bin folder.
#   cmake -DBUILD_DIR=... -DSOURCE=... -DWORK_DIR=... -DCC=... [-DEMULATOR=...] -P install_check.cmake
# Without an emulator, or with LYNX_NO_EMULATOR=1 in the environment, the
# program is built but not run.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}
  RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "install failed")
endif()
foreach(file bin/lynxUtility.dll bin/HxUtility.dll bin/nolt.dll lib/lynxUtility.dll.a
        lib/HxUtility.dll.a lib/nolt.dll.a lib/lynxUtility.def lib/lynxUtility.lib
        include/lynx/lynxUtility.h include/lynxhost/HxUtility.h)
  if(NOT EXISTS ${WORK_DIR}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The installed export definitions are the 32-bit build's: its 45 exported
# names, the stdcall ones decorated, as the build generated them.
file(STRINGS ${WORK_DIR}/lib/lynxUtility.def entries REGEX "^    ")
list(LENGTH entries count)
file(READ ${WORK_DIR}/lib/lynxUtility.def installed)
file(READ ${BUILD_DIR}/generated/legacy32/lynxUtility.def generated)
if(NOT count EQUAL 45 OR NOT installed STREQUAL generated OR NOT installed MATCHES "\n    _CROSS@12 = ")
  message(FATAL_ERROR "lib/lynxUtility.def is not the 32-bit export definitions "
    "(${count} entries):\n${installed}")
endif()
execute_process(COMMAND ${CC} -std=c11 -pedantic -Wall -Wextra -Werror ${SOURCE}
  -I${WORK_DIR}/include -I${WORK_DIR}/include/lynxhost -L${WORK_DIR}/lib -llynxUtility -lHxUtility
  -o ${WORK_DIR}/bin/user.exe RESULT_VARIABLE status)
if(status)
  message(FATAL_ERROR "the user's program does not build against the installed folder")
endif()
if(NOT EMULATOR OR "$ENV{LYNX_NO_EMULATOR}")
  # A machine that runs no 32-bit programs: built and linked, not run.
  message(STATUS "the user's program builds against the installed folder; not run here")
  return()
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
execute_process(COMMAND ${emulator} ${WORK_DIR}/bin/user.exe
  OUTPUT_VARIABLE output RESULT_VARIABLE status)
message("${output}")
if(status OR NOT output MATCHES "^DOT 32 CROSS -3 6 -3 NCHARS 6 KXCONV N_KGMMS_DE 0.001 0.0174533\n$")
  message(FATAL_ERROR "the user's program failed or printed something else")
endif()
