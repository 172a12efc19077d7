# The export list: src/exports.txt names every routine the library exports.
# From it come the ELF version script (and later the Windows .def files) and
# the list that the export-table test checks the built library against.

set(LYNX_EXPORT_LIST ${PROJECT_SOURCE_DIR}/src/exports.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LYNX_EXPORT_LIST})

file(STRINGS ${LYNX_EXPORT_LIST} _lynx_export_lines)
set(LYNX_EXPORTED_NAMES "")
foreach(_line IN LISTS _lynx_export_lines)
  string(STRIP "${_line}" _line)
  if(_line STREQUAL "" OR _line MATCHES "^#")
    continue()
  endif()
  string(REGEX REPLACE "[ \t]+" ";" _fields "${_line}")
  list(GET _fields 0 _name)
  if(NOT _name MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    message(FATAL_ERROR "exports.txt: bad routine name '${_name}'")
  endif()
  if(_name IN_LIST LYNX_EXPORTED_NAMES)
    message(FATAL_ERROR "exports.txt: '${_name}' is listed twice")
  endif()
  list(APPEND LYNX_EXPORTED_NAMES ${_name})
endforeach()

# The shared library's ABI version: its SONAME is liblynxUtility.so.<it>, and
# every exported routine is bound to the version node LYNXUTILITY_<it>.
set(LYNX_SOVERSION 1)
set(LYNX_VERSION_NODE LYNXUTILITY_${LYNX_SOVERSION})
set(_map "/* Generated from src/exports.txt: do not edit. */\n${LYNX_VERSION_NODE} {\n  global:\n")
set(_inc "/* Generated from src/exports.txt: do not edit. */\n")
set(_def "; Generated from src/exports.txt: do not edit.\nLIBRARY lynxUtility\nEXPORTS\n")
foreach(_name IN LISTS LYNX_EXPORTED_NAMES)
  string(APPEND _map "    ${_name};\n")
  string(APPEND _inc "\"${_name}\",\n")
  string(APPEND _def "    ${_name}\n")
endforeach()
string(APPEND _map "  local:\n    *;\n};\n")

# The Windows export definitions of the 64-bit library.
set(LYNX_WINDOWS_DEF ${PROJECT_BINARY_DIR}/generated/lynxUtility.def)
file(CONFIGURE OUTPUT ${LYNX_WINDOWS_DEF} CONTENT "${_def}")

set(LYNX_VERSION_SCRIPT ${PROJECT_BINARY_DIR}/generated/lynxUtility.map)
file(CONFIGURE OUTPUT ${LYNX_VERSION_SCRIPT} CONTENT "${_map}")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/lynx_exported_names.inc CONTENT "${_inc}")
