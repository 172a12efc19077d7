# The legacy 32-bit Windows build (lynxUtility32): what it does differently
# from the 64-bit library, in one place.  The top-level CMakeLists.txt
# includes this file when the target is 32-bit Windows, before the targets
# are made, and calls lynx_legacy32_targets() once they exist; the
# directories that make the DLLs call lynx_legacy32_exports().  In the
# sources the one switch is LYNX_LEGACY32 (lynx/lynx_conf.h), which the same
# target defines.
#
#   - Exports: the legacy-32 columns of src/exports.txt, upper-case routines
#     stdcall and decorated (_KXCONV@12), older names as second export
#     names of the same routines (_COPYD@12 is COPYDP); the host stand-ins
#     export the host's services decorated the same way.
#   - Routines that the 32-bit build does not export are compiled and then
#     left out of the DLL at link time (lynx_legacy32_targets), with the
#     host services only they use; it has no version resource, and the
#     identification records go with the version routines.  The library's
#     code in the DLL carries no debugging information.
#   - Arithmetic in SSE2 registers, so that every result equals the 64-bit
#     build's bit for bit whatever the x87 unit's precision; doubles are
#     still returned on the x87 stack, as the convention requires.

set(LYNX_LEGACY32_DIR ${CMAKE_CURRENT_LIST_DIR})

# The DLL's export definitions, installed beside its import library (the
# export table, name by name): the 32-bit ones, in place of the 64-bit ones.
set(LYNX_WINDOWS_DEF ${PROJECT_BINARY_DIR}/generated/legacy32/lynxUtility.def)

# The command-line tools and the timing program use routines that the
# 32-bit build does not have.
if(LYNX_BUILD_TOOLS OR LYNX_BUILD_TIMING)
  message(STATUS "32-bit build: the command-line tools and lynx-timing are not built")
  set(LYNX_BUILD_TOOLS OFF)
  set(LYNX_BUILD_TIMING OFF)
endif()

# Every target, the tests included: a test's expected values are computed
# as the library computes them.
add_compile_options(${LYNX_LEGACY32_ARITHMETIC})

# lynx_legacy32_exports(<target> [<list>...])
#   The export definitions and import library of a DLL target, from lists in
#   the columns of src/exports.txt: src/exports.txt itself for lynxUtility,
#   by default windows/legacy32/<target>.exports for another DLL.  Called in
#   the directory that makes the target.
function(lynx_legacy32_exports target)
  set(prefix LYNX_${target})
  set(lists ${ARGN})
  if(target STREQUAL "lynxUtility")
    set(${prefix}_LEGACY32_ROWS ${LYNX_EXPORTS_LEGACY32_ROWS})
  else()
    if(NOT lists)
      set(lists ${LYNX_LEGACY32_DIR}/${target}.exports)
    endif()
    set(${prefix}_LEGACY32_ROWS "")
    foreach(list IN LISTS lists)
      lynx_read_export_list(${list} part)
      list(APPEND ${prefix}_LEGACY32_ROWS ${part_LEGACY32_ROWS})
    endforeach()
  endif()
  get_target_property(output ${target} OUTPUT_NAME)
  if(NOT output)
    set(output ${target})
  endif()
  set(dll ${output}.dll)
  set(dir ${PROJECT_BINARY_DIR}/generated/legacy32)
  lynx_write_legacy32_definitions(${prefix} ${dll} ${dir}/${target}.def ${dir}/${target}.implib.def)
  target_sources(${target} PRIVATE ${dir}/${target}.def)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${dir}/${target}.implib.def)
  # The import library that the linker writes names every stdcall routine
  # with one underscore too many (__KXCONV@12); dlltool writes it again
  # with the symbols that callers' compilers emit.  It names the library's
  # members and symbols after the output path, so it is given the file name
  # alone, in the library's folder: the build's folder is not in them.
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${LYNX_NO_WARNINGS} ${LYNX_DLLTOOL} --input-def ${dir}/${target}.implib.def
      --output-lib $<TARGET_LINKER_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_LINKER_FILE_DIR:${target}>
    COMMENT "Import library of the 32-bit ${dll}"
    VERBATIM)
endfunction()

find_program(LYNX_DLLTOOL NAMES ${CMAKE_DLLTOOL} ${LYNX_MINGW_TRIPLET}-dlltool
  i686-w64-mingw32-dlltool dlltool REQUIRED)

# Called once the library is a target.
function(lynx_legacy32_targets)
  # The export list decides what the DLL holds.  Each routine and datum is
  # compiled into a section of its own, without unwind tables (nothing
  # unwinds through the library: it neither throws nor calls back, and the
  # tables would reach every routine).  keep-exported.sh links the
  # library's objects into one that holds only what the exported routines
  # reach, without the symbols of the rest (so the DLL does not import the
  # host services that only dropped routines call) and without debugging
  # information; the script says how.
  target_compile_options(lynx_objects PRIVATE -ffunction-sections -fdata-sections
    -fno-asynchronous-unwind-tables)
  set(roots "")
  foreach(row IN LISTS LYNX_EXPORTS_LEGACY32_ROWS)
    lynx_legacy32_row("${row}" symbol exported bytes)
    if(bytes STREQUAL "c")
      list(APPEND roots -u _${symbol})
    else()
      list(APPEND roots -u _${symbol}@${bytes})
    endif()
  endforeach()
  set(kept ${PROJECT_BINARY_DIR}/generated/legacy32/lynx_exported.obj)
  add_custom_command(OUTPUT ${kept}
    COMMAND ${LYNX_LEGACY32_DIR}/keep-exported.sh ${CMAKE_LINKER} ${CMAKE_OBJCOPY}
      ${CMAKE_STRIP} ${kept} ${roots} -- $<TARGET_OBJECTS:lynx_objects>
    DEPENDS $<TARGET_OBJECTS:lynx_objects> ${LYNX_EXPORT_LIST} ${LYNX_LEGACY32_DIR}/keep-exported.sh
    COMMENT "The library's objects that the 32-bit exports reach"
    COMMAND_EXPAND_LISTS VERBATIM)
  add_custom_target(lynx_legacy32_exported DEPENDS ${kept})
  get_target_property(sources lynxUtility SOURCES)
  list(REMOVE_ITEM sources "$<TARGET_OBJECTS:lynx_objects>")
  set_property(TARGET lynxUtility PROPERTY SOURCES ${sources} ${kept})
  set_source_files_properties(${kept} TARGET_DIRECTORY lynxUtility
    PROPERTIES GENERATED ON EXTERNAL_OBJECT ON)
  add_dependencies(lynxUtility lynx_legacy32_exported)
  # No version reporting in the 32-bit build: no version resource.
  set_source_files_properties(${PROJECT_BINARY_DIR}/generated/lynxUtility.rc
    TARGET_DIRECTORY lynxUtility
    PROPERTIES HEADER_FILE_ONLY ON)
endfunction()

# The test suite on the 32-bit build.  tests/CMakeLists.txt leaves out a
# program whose every case needs a routine that the build does not export
# under that name (lynx_write_built_header); within the others, such cases
# and those that check results the 32-bit build gives differently by design
# skip, each saying why (tests/support/built.hpp).

# The export table the 32-bit tests expect, one row an export:
#   LYNX_LEGACY32_EXPORT(name, "exported name", argument bytes)
# with the name a caller's C code uses (KXCONV, COPYD) and -1 bytes for a
# lower-case (cdecl) routine.  Its users define the macro.
set(_exports "/* Generated from src/exports.txt: do not edit. */\n")
foreach(_row IN LISTS LYNX_EXPORTS_LEGACY32_ROWS)
  lynx_legacy32_row("${_row}" _symbol _exported _bytes)
  if(_bytes STREQUAL "c")
    string(APPEND _exports "LYNX_LEGACY32_EXPORT(${_exported}, \"${_exported}\", -1)\n")
  else()
    string(APPEND _exports
      "LYNX_LEGACY32_EXPORT(${_exported}, \"_${_exported}@${_bytes}\", ${_bytes})\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/legacy32/lynx_legacy32_exports.inc
  CONTENT "${_exports}")

# A test program that the 32-bit run leaves out stays a target, excluded
# from the build, so that the settings made for it still apply.
function(lynx_legacy32_placeholder target)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/legacy32/not_built.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// The 32-bit build leaves this test program out.\n")
  endif()
  add_library(${target} STATIC EXCLUDE_FROM_ALL ${source})
endfunction()

# The settings of a test program of the 32-bit run (internal: true when it
# links the library's objects).  Helpers that serve only cases the build
# skips stay unused.  A program that links the library's objects sees the
# routines as the library's own, not as imports.
function(lynx_legacy32_test target internal)
  target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated/legacy32)
  target_compile_options(${target} PRIVATE -Wno-unused-function)
  if(internal)
    target_compile_definitions(${target} PRIVATE LYNX_BUILDING_LIBRARY)
  else()
    # The program loads lynxUtility.dll, as its 64-bit build does, even when
    # every case that calls the library skips.
    target_link_options(${target} PRIVATE "LINKER:-u,__imp__UPCASE@8")
  endif()
endfunction()
