# Cross-builds the Windows libraries with Debian's mingw-w64 compilers
# (posix threading model) and runs the Windows programs under Wine.
#
# One file for every word size: LYNX_WINDOWS_PROCESSOR names the target
# processor as the mingw-w64 triplet spells it (x86_64 for the 64-bit
# library, i686 for a 32-bit build); CMakePresets.json sets it.
#
#   cmake --preset windows-x64
#   cmake -S . -B build/w -DCMAKE_TOOLCHAIN_FILE=windows/mingw-w64.toolchain.cmake \
#         -DLYNX_WINDOWS_PROCESSOR=x86_64

set(LYNX_WINDOWS_PROCESSOR x86_64 CACHE STRING
  "Target processor of the Windows build, as in the mingw-w64 triplet (x86_64, i686)")
# try_compile projects read this file again and need the same processor.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LYNX_WINDOWS_PROCESSOR)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${LYNX_WINDOWS_PROCESSOR})

set(LYNX_MINGW_TRIPLET ${LYNX_WINDOWS_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${LYNX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LYNX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LYNX_MINGW_TRIPLET}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${LYNX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows programs (tests, gtest discovery, the tools) run through Wine's
# loader of the same word size, in a scratch prefix inside the build folder.
if(LYNX_WINDOWS_PROCESSOR STREQUAL "x86_64")
  set(_lynx_wine_bits -64)
else()
  set(_lynx_wine_bits -32)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${_lynx_wine_bits} ${CMAKE_BINARY_DIR}/wineprefix)
