# Cross-building for 64-bit ARM Linux with Debian's cross compilers; the
# programs run under qemu-user.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(LYNX_AARCH64_SYSROOT /usr/aarch64-linux-gnu)
list(APPEND CMAKE_FIND_ROOT_PATH ${LYNX_AARCH64_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the test programs, and discovers their tests, through qemu.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L ${LYNX_AARCH64_SYSROOT})
