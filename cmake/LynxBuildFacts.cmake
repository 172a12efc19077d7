# The identification records and the Windows version resource: the facts of
# the build (release version, name, build machine, moment, the options given
# to each compiler that builds part of the library) written into
# lynx_build_facts.hpp for src/frame/version.cpp and into the resource
# script.  Included by src/frame/CMakeLists.txt, beside build_facts.hpp.in.

# Facts of the build for the identification records: the release version
# (the project's version, the one place it is written), the library's name,
# the build machine's operating system with its major version (the one figure
# that stays the same from one build of a kernel to the next, as in
# "Windows_NT 5"), the moment of the build in UTC (string(TIMESTAMP) takes
# SOURCE_DATE_EPOCH when it is set, so a build can be repeated byte for
# byte) and the options given to each compiler that builds part of the
# library.
set(LYNX_LIBRARY_NAME lynxUtility)
set(LYNX_BUILD_OS "${CMAKE_HOST_SYSTEM_NAME}")
if(CMAKE_HOST_WIN32)
  set(LYNX_BUILD_OS Windows_NT)
endif()
string(REGEX MATCH "^[0-9]+" _major "${CMAKE_HOST_SYSTEM_VERSION}")
if(NOT _major STREQUAL "")
  string(APPEND LYNX_BUILD_OS " ${_major}")
endif()
# One reading of the clock, in both forms.
string(TIMESTAMP LYNX_BUILD_DATE "%Y-%m-%d %H:%M:%S" UTC)
string(REGEX REPLACE "^([0-9]+)-([0-9]+)-([0-9]+) ([0-9]+):([0-9]+):[0-9]+$" "\\1\\2\\3.\\4\\5"
  LYNX_BUILD_STAMP "${LYNX_BUILD_DATE}")

# Text made safe inside a C string literal.
function(lynx_c_escape out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The label of an options record: the compiler's name left-justified in 8
# characters, then "opts:", 13 characters in all.
function(lynx_options_label out name)
  string(SUBSTRING "${name}        " 0 8 name)
  set(${out} "${name}opts:" PARENT_SCOPE)
endfunction()

# The options given to the C++ compiler for the library's sources, in the
# order of its command line: the target's definitions (never empty: the
# library is always built with LYNX_BUILDING_LIBRARY) and include
# directories, the user's flags and those of the build type, the language
# standard, position-independent code, visibility and the target's options.
# Target properties are read as generator expressions when the build system
# is generated, so they are the ones the sources are compiled with; the
# folders in them are then written relative (see below).  The user's flags
# are taken without the path mappings of lynx_reproducible_paths().
set(_defs "$<TARGET_PROPERTY:lynx_objects,COMPILE_DEFINITIONS>")
set(_incs "$<TARGET_PROPERTY:lynx_objects,INCLUDE_DIRECTORIES>")
set(_prop "$<TARGET_PROPERTY:lynx_objects,COMPILE_OPTIONS>")
set(_options "-D$<JOIN:${_defs}, -D>$<$<BOOL:${_incs}>: -I$<JOIN:${_incs}, -I>>")
set(_flags "${CMAKE_CXX_FLAGS}")
if(LYNX_PATH_MAPS)
  string(REPLACE "${LYNX_PATH_MAPS}" "" _flags "${_flags}")
endif()
string(STRIP "${_flags}" _flags)
if(NOT _flags STREQUAL "")
  lynx_c_escape(_flags "${_flags}")
  string(APPEND _options " ${_flags}")
endif()
set(_configs ${CMAKE_CONFIGURATION_TYPES} ${CMAKE_BUILD_TYPE})
list(REMOVE_DUPLICATES _configs)
foreach(_config IN LISTS _configs)
  string(TOUPPER "${_config}" _upper)
  string(STRIP "${CMAKE_CXX_FLAGS_${_upper}}" _flags)
  if(NOT _flags STREQUAL "")
    lynx_c_escape(_flags "${_flags}")
    string(REPLACE "," "$<COMMA>" _flags "${_flags}")
    string(REPLACE ">" "$<ANGLE-R>" _flags "${_flags}")
    string(APPEND _options "$<$<CONFIG:${_config}>: ${_flags}>")
  endif()
endforeach()
foreach(_option IN ITEMS
    "${CMAKE_CXX${CMAKE_CXX_STANDARD}_STANDARD_COMPILE_OPTION}"
    "${CMAKE_CXX_COMPILE_OPTIONS_PIC}"
    "${CMAKE_CXX_COMPILE_OPTIONS_VISIBILITY}hidden"
    "${CMAKE_CXX_COMPILE_OPTIONS_VISIBILITY_INLINES_HIDDEN}")
  if(NOT _option STREQUAL "" AND NOT _option STREQUAL "hidden")
    string(APPEND _options " ${_option}")
  endif()
endforeach()
string(APPEND _options "$<$<BOOL:${_prop}>: $<JOIN:${_prop}, >>")
lynx_options_label(_label "${CMAKE_CXX_COMPILER_ID}")
set(LYNX_COMPILER_RECORDS "\"@(#)ORB ${_label} (${_options})\\0\"")

# On Windows the resource compiler builds the version resource into the
# library too: its record follows the C++ compiler's, named after the tool
# (windres, with the target triplet taken off), with the options it is given
# for the library's resource script in the order of its command line.
if(WIN32 AND CMAKE_RC_COMPILER)
  get_filename_component(_rc_name "${CMAKE_RC_COMPILER}" NAME_WE)
  string(REGEX REPLACE "^.*-" "" _rc_name "${_rc_name}")
  lynx_options_label(_label "${_rc_name}")
  set(_rc_options "")
  if(_rc_name STREQUAL "windres")
    set(_rc_options "-O coff ")
  endif()
  set(_rc_defs "$<TARGET_PROPERTY:lynxUtility,COMPILE_DEFINITIONS>")
  set(_rc_incs "$<REMOVE_DUPLICATES:$<TARGET_PROPERTY:lynxUtility,INCLUDE_DIRECTORIES>>")
  string(APPEND _rc_options "-DlynxUtility_EXPORTS$<$<BOOL:${_rc_defs}>: -D$<JOIN:${_rc_defs}, -D>>")
  string(APPEND _rc_options "$<$<BOOL:${_rc_incs}>: -I$<JOIN:${_rc_incs}, -I>>")
  string(STRIP "${CMAKE_RC_FLAGS}" _flags)
  if(NOT _flags STREQUAL "")
    lynx_c_escape(_flags "${_flags}")
    string(APPEND _rc_options " ${_flags}")
  endif()
  string(APPEND LYNX_COMPILER_RECORDS " \"@(#)ORB ${_label} (${_rc_options})\\0\"")
endif()

# The header in two steps.  The generator expressions are evaluated into
# generated/facts-absolute/<config>, with the folders as CMake knows them;
# at build time cmake/LynxRelativeFacts.cmake writes them into
# generated/facts/<config>, each folder of the build tree relative to it and
# each of the source tree relative to that, so the records name no
# machine's folders and two builds in different folders agree.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/build_facts.hpp.in ${PROJECT_BINARY_DIR}/generated/lynx_build_facts.hpp.in @ONLY)
file(GENERATE
  OUTPUT ${PROJECT_BINARY_DIR}/generated/facts-absolute/$<CONFIG>/lynx_build_facts.hpp
  INPUT ${PROJECT_BINARY_DIR}/generated/lynx_build_facts.hpp.in)
set(_headers "")
foreach(_config IN LISTS _configs)
  set(_absolute ${PROJECT_BINARY_DIR}/generated/facts-absolute/${_config}/lynx_build_facts.hpp)
  set(_relative ${PROJECT_BINARY_DIR}/generated/facts/${_config}/lynx_build_facts.hpp)
  add_custom_command(OUTPUT ${_relative}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${_absolute} -DOUTPUT=${_relative}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBINARY_DIR=${PROJECT_BINARY_DIR}
      -P ${PROJECT_SOURCE_DIR}/cmake/LynxRelativeFacts.cmake
    DEPENDS ${_absolute} ${PROJECT_SOURCE_DIR}/cmake/LynxRelativeFacts.cmake
    COMMENT "Identification records with relative folders (${_config})"
    VERBATIM)
  list(APPEND _headers ${_relative})
endforeach()
add_custom_target(lynx_build_facts DEPENDS ${_headers})
add_dependencies(lynx_objects lynx_build_facts)
set(LYNX_FACTS_DIR ${PROJECT_BINARY_DIR}/generated/facts/$<CONFIG>)
target_include_directories(lynx_objects PRIVATE ${LYNX_FACTS_DIR})

# The Windows version resource, with the same facts.
if(WIN32)
  set(LYNX_LIBRARY_FILE_NAME
    "${CMAKE_SHARED_LIBRARY_PREFIX}${LYNX_LIBRARY_NAME}${CMAKE_SHARED_LIBRARY_SUFFIX}")
  configure_file(${PROJECT_SOURCE_DIR}/windows/lynxUtility.rc.in
    ${PROJECT_BINARY_DIR}/generated/lynxUtility.rc @ONLY)
  target_sources(lynxUtility PRIVATE ${PROJECT_BINARY_DIR}/generated/lynxUtility.rc)
endif()
