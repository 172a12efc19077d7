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
  # A warning of the linker fails the link (a symbol without its section,
  # say, becomes an address of 0 in the image), and so does one of the other
  # tools that write the DLLs' objects and import libraries: each such step
  # runs through LYNX_NO_WARNINGS.
  add_link_options(LINKER:--fatal-warnings)
  set(LYNX_NO_WARNINGS ${CMAKE_CURRENT_LIST_DIR}/no-warnings.sh)
  # The time stamp in the header of each DLL and program: the moment of
  # SOURCE_DATE_EPOCH when the build is configured with it (the GNU linker
  # takes it from its environment, so every link runs with it), otherwise
  # none; either way an image does not depend on when it was linked.
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    foreach(_lang C CXX)
      if(NOT CMAKE_${_lang}_LINKER_LAUNCHER)
        set(CMAKE_${_lang}_LINKER_LAUNCHER
          ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH})
      endif()
    endforeach()
  else()
    add_link_options(LINKER:--no-insert-timestamp)
  endif()
endif()

# Users who link with MSVC: an import library of their format,
# lib/lynxUtility.lib beside the mingw-w64 lynxUtility.dll.a.  LLVM's
# MSVC-compatible linker (Debian's lld package) makes it from the export
# definitions installed with it: given definitions and no objects, lld-link
# writes only the import library.  It takes a name that holds "@" as
# decorated already: in the 32-bit definitions (_KXCONV@12 = KXCONV@12)
# the name on the left becomes both the name imported from the DLL and the
# symbol that callers refer to, as a 32-bit MSVC caller needs.
if(MINGW)
  find_program(LYNX_LLD_LINK NAMES lld-link)
  if(NOT LYNX_LLD_LINK)
    message(FATAL_ERROR "lld-link not found: it makes lynxUtility.lib, the import library "
      "for MSVC users; install Debian's lld package")
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(LYNX_MSVC_MACHINE x64)
  else()
    set(LYNX_MSVC_MACHINE x86)
  endif()
  set(LYNX_MSVC_IMPORT_LIBRARY ${PROJECT_BINARY_DIR}/lib/lynxUtility.lib)
endif()

# lynx_msvc_import_library(<export definitions>)
#   Makes LYNX_MSVC_IMPORT_LIBRARY from the definitions, as part of the
#   build (target lynx_msvc_import_library).
function(lynx_msvc_import_library def)
  add_custom_command(OUTPUT ${LYNX_MSVC_IMPORT_LIBRARY}
    COMMAND ${LYNX_NO_WARNINGS} ${LYNX_LLD_LINK} /nologo /machine:${LYNX_MSVC_MACHINE} /def:${def}
      /out:${LYNX_MSVC_IMPORT_LIBRARY}
    DEPENDS ${def}
    COMMENT "Import library for MSVC: lynxUtility.lib"
    VERBATIM)
  add_custom_target(lynx_msvc_import_library ALL DEPENDS ${LYNX_MSVC_IMPORT_LIBRARY})
endfunction()
