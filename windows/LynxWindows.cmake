# What the Windows builds do differently, for every word size.  Included by
# the top-level CMakeLists.txt when the target is Windows.

# The DLLs are lynxUtility.dll, HxUtility.dll and nolt.dll, without the
# "lib" that mingw puts in front by default, and so are their import
# libraries (lynxUtility.dll.a).
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")
set(CMAKE_SHARED_MODULE_PREFIX "")

if(MINGW)
  # The C++, GCC and thread runtimes are linked into each DLL and program,
  # so a user copies the three DLLs and nothing else: no libstdc++-6.dll,
  # libgcc_s_seh-1.dll or libwinpthread-1.dll.  Only system DLLs are
  # imported besides the host's.
  add_link_options(-static)
endif()
