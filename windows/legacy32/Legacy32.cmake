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
#   - Routines that the 32-bit build does not have are not compiled into it,
#     and it has no version resource or identification records.
#   - Arithmetic in SSE2 registers, so that every result equals the 64-bit
#     build's bit for bit whatever the x87 unit's precision; doubles are
#     still returned on the x87 stack, as the convention requires.

set(LYNX_LEGACY32_DIR ${CMAKE_CURRENT_LIST_DIR})

# Every target, the tests included: a test's expected values are computed
# as the library computes them.  The stack is realigned where SSE2 needs it,
# since 32-bit callers keep it aligned to 4 bytes only.
add_compile_options(-msse2 -mfpmath=sse -mstackrealign)

# The export definitions and import library of a DLL target, from a list in
# the columns of src/exports.txt: src/exports.txt itself for lynxUtility,
# windows/legacy32/<target>.exports for the host stand-ins.  Called in the
# directory that makes the target.
function(lynx_legacy32_exports target)
  if(target STREQUAL "lynxUtility")
    set(prefix LYNX_EXPORTS)
  else()
    set(prefix LYNX_${target})
    lynx_read_export_list(${LYNX_LEGACY32_DIR}/${target}.exports ${prefix})
  endif()
  set(dll ${target}.dll)
  set(dir ${PROJECT_BINARY_DIR}/generated/legacy32)
  lynx_write_legacy32_definitions(${prefix} ${dll} ${dir}/${target}.def ${dir}/${target}.implib.def)
  target_sources(${target} PRIVATE ${dir}/${target}.def)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${dir}/${target}.implib.def)
  # The import library that the linker writes names every stdcall routine
  # with one underscore too many (__KXCONV@12); dlltool writes it again
  # with the symbols that callers' compilers emit.
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${LYNX_DLLTOOL} --input-def ${dir}/${target}.implib.def
      --output-lib $<TARGET_LINKER_FILE:${target}>
    COMMENT "Import library of the 32-bit ${dll}"
    VERBATIM)
endfunction()

find_program(LYNX_DLLTOOL NAMES ${CMAKE_DLLTOOL} ${LYNX_MINGW_TRIPLET}-dlltool
  i686-w64-mingw32-dlltool dlltool REQUIRED)

# Called once the library is a target.
function(lynx_legacy32_targets)
  # Not in the 32-bit build: the environment look-up, version reporting, the
  # similarity transforms, curve interpolation and the vector component
  # measure.  (Routines not in it that share a file with ones that are stand
  # under LYNX_LEGACY32 in their sources.)
  set(src ${PROJECT_SOURCE_DIR}/src)
  set_source_files_properties(
    ${src}/frame/getenv.cpp ${src}/frame/version.cpp ${src}/algebra/transform.cpp
    ${src}/interp/cubic.cpp ${src}/interp/akima.cpp ${src}/interp/renner.cpp
    ${src}/interp/point.cpp ${src}/tire/var907.cpp
    TARGET_DIRECTORY lynx_objects
    PROPERTIES HEADER_FILE_ONLY ON)
  set_source_files_properties(${PROJECT_BINARY_DIR}/generated/lynxUtility.rc
    TARGET_DIRECTORY lynxUtility
    PROPERTIES HEADER_FILE_ONLY ON)
endfunction()
