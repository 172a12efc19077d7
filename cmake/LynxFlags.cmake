# Compiler settings shared by every target of the project.
#
# The library's results are fixed to the bit, so contraction into fused
# multiply-add and fast-math are switched off on each target.  Target options
# come after CMAKE_<LANG>_FLAGS on the command line, so they still hold when
# a user configures with -march=native or -ffast-math.

function(lynx_target_settings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion
      -ffp-contract=off -fno-fast-math -fno-finite-math-only
      -fno-associative-math -fno-reciprocal-math -fsigned-zeros)
    if(LYNX_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 /fp:precise /fp:contract-)
    if(LYNX_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  endif()
  lynx_sanitizer_settings(${target})
endfunction()

# The sanitizers of LYNX_SANITIZE, for a target of any language; a finding
# ends the program.
function(lynx_sanitizer_settings target)
  if(LYNX_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=${LYNX_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${LYNX_SANITIZE})
  endif()
endfunction()

# The library's own code: never throws, so built without exceptions or RTTI;
# its routines call one another directly, not through the export table (the
# exported names are the library's own and are not meant to be interposed).
function(lynx_library_settings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti -fno-semantic-interposition)
  endif()
endfunction()

# The arithmetic of the 32-bit x86 builds: SSE2 registers rather than the x87
# unit, so every result equals the 64-bit build's bit for bit whatever the
# x87 unit's precision; the stack is realigned where SSE2 needs it, since
# 32-bit callers keep it aligned to 4 bytes only.
set(LYNX_LEGACY32_ARITHMETIC -msse2 -mfpmath=sse -mstackrealign)

# A shared library that exports only what its export list names: hidden
# visibility by default, plus a linker version script on ELF platforms.
function(lynx_hidden_visibility target)
  set_target_properties(${target} PROPERTIES
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# Reproducible builds.  What the compilers and linkers write into the files
# they make names neither the source tree nor the build folder: file names
# in debug information and in macros are written relative to them (the
# build folder's mapping comes last, so that it wins for a build folder
# inside the source tree; coverage data keep their real names), and the
# build tree's run paths are relative to $ORIGIN.  With SOURCE_DATE_EPOCH
# set, two builds of one commit in different folders then give the same
# files.  The identification records leave the mapping options out: they
# name the folders (cmake/LynxBuildFacts.cmake).
set(_lynx_folders ${PROJECT_SOURCE_DIR}=. ${PROJECT_BINARY_DIR}=.)
list(TRANSFORM _lynx_folders PREPEND -fdebug-prefix-map= OUTPUT_VARIABLE _debug)
list(TRANSFORM _lynx_folders PREPEND -fmacro-prefix-map= OUTPUT_VARIABLE _macro)
string(JOIN " " LYNX_DEBUG_PATH_MAPS ${_debug})
string(JOIN " " LYNX_PATH_MAPS ${_debug} ${_macro})
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
# GNU Fortran takes only the mapping of debug information (Fortran has no
# macros of file names).
macro(lynx_reproducible_paths)
  foreach(_lang IN ITEMS ${ARGN})
    if(CMAKE_${_lang}_COMPILER_ID MATCHES "^(GNU|Clang|AppleClang)$")
      if(_lang STREQUAL "Fortran")
        string(APPEND CMAKE_${_lang}_FLAGS " ${LYNX_DEBUG_PATH_MAPS}")
      else()
        string(APPEND CMAKE_${_lang}_FLAGS " ${LYNX_PATH_MAPS}")
      endif()
    endif()
  endforeach()
endmacro()
