# The export list: src/exports.txt names every routine the library exports.
# From it come the ELF version script, the Windows .def files of both word
# sizes and the lists that the export-table tests check the built libraries
# against.

set(LYNX_EXPORT_LIST ${PROJECT_SOURCE_DIR}/src/exports.txt)

# lynx_read_export_list(<file> <prefix>)
#   Reads a list of three columns (name, legacy-32 name, legacy-32 argument
#   bytes; "-" for absent) and sets, in the caller's scope:
#     <prefix>_NAMES           the names of the first column (the 64-bit set)
#     <prefix>_LEGACY32_ROWS   "symbol|exported name|bytes" for each routine of
#                              the 32-bit build (symbol: the routine in the
#                              code; exported name: its legacy-32 name)
#     <prefix>_LEGACY32_NAMES  the exported names of those routines
#     <prefix>_LEGACY32_ABSENT the names that the 32-bit build does not have
function(lynx_read_export_list file prefix)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(STRINGS ${file} lines)
  set(names "")
  set(rows "")
  set(legacy_names "")
  set(absent "")
  set(seen "")  # every name of either column, for the duplicate check
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
    list(LENGTH fields count)
    if(NOT count EQUAL 3)
      message(FATAL_ERROR "${file}: expected three columns in '${line}'")
    endif()
    list(GET fields 0 name)
    list(GET fields 1 legacy)
    list(GET fields 2 bytes)
    foreach(n IN ITEMS ${name} ${legacy})
      if(NOT n MATCHES "^([A-Za-z_][A-Za-z0-9_]*|-)$")
        message(FATAL_ERROR "${file}: bad routine name '${n}'")
      endif()
    endforeach()
    if(name STREQUAL "-" AND legacy STREQUAL "-")
      message(FATAL_ERROR "${file}: '${line}' names no routine")
    endif()
    if(NOT name STREQUAL "-")
      if(name IN_LIST names)
        message(FATAL_ERROR "${file}: '${name}' is listed twice")
      endif()
      list(APPEND names ${name})
      list(APPEND seen ${name})
    endif()
    if(legacy STREQUAL "-")
      if(NOT bytes STREQUAL "-")
        message(FATAL_ERROR "${file}: '${name}' is not in the 32-bit build: its argument bytes must be -")
      endif()
      list(APPEND absent ${name})
      continue()
    endif()
    if(NOT bytes MATCHES "^(c|[0-9]+)$")
      message(FATAL_ERROR "${file}: argument bytes of '${legacy}' must be c or a number")
    endif()
    if(bytes STREQUAL "c" AND NOT legacy STREQUAL name)
      message(FATAL_ERROR "${file}: lower-case '${legacy}' must keep its name")
    endif()
    if(legacy IN_LIST seen AND NOT legacy STREQUAL name)
      message(FATAL_ERROR "${file}: '${legacy}' is listed twice")
    endif()
    list(APPEND seen ${legacy})
    set(symbol ${name})
    if(name STREQUAL "-")
      set(symbol ${legacy})
    endif()
    list(APPEND rows "${symbol}|${legacy}|${bytes}")
    list(APPEND legacy_names ${legacy})
  endforeach()
  set(${prefix}_NAMES ${names} PARENT_SCOPE)
  set(${prefix}_LEGACY32_ROWS ${rows} PARENT_SCOPE)
  set(${prefix}_LEGACY32_NAMES ${legacy_names} PARENT_SCOPE)
  set(${prefix}_LEGACY32_ABSENT ${absent} PARENT_SCOPE)
endfunction()

# lynx_legacy32_row(<row> <symbol> <exported> <bytes>)
#   Sets the three variables named to the columns of one of those rows.
macro(lynx_legacy32_row row symbol exported bytes)
  string(REPLACE "|" ";" _lynx_row "${row}")
  list(GET _lynx_row 0 ${symbol})
  list(GET _lynx_row 1 ${exported})
  list(GET _lynx_row 2 ${bytes})
endmacro()

# lynx_write_legacy32_definitions(<prefix> <dll file name> <link .def> <import .def>)
#   The 32-bit export definitions of the rows read by lynx_read_export_list.
#   Upper-case routines are stdcall and leave the DLL decorated, "_" name
#   "@" bytes.  The linker takes the first file: each exported name given
#   as an alias of the routine's stdcall symbol, written without the
#   symbol's own leading underscore (_COPYD@12 = COPYDP@12), since the linker
#   would otherwise drop the exported name's underscore.  dlltool takes the
#   second, which gives the import library the symbols a caller's compiler
#   emits (_COPYD@12, through COPYD@12 == _COPYD@12).
function(lynx_write_legacy32_definitions prefix dll link_def import_def)
  set(header "; Generated from the export list: do not edit.\nLIBRARY ${dll}\nEXPORTS\n")
  set(link "${header}")
  set(import "${header}")
  foreach(row IN LISTS ${prefix}_LEGACY32_ROWS)
    lynx_legacy32_row("${row}" symbol exported bytes)
    if(bytes STREQUAL "c")
      string(APPEND link "    ${exported}\n")
      string(APPEND import "    ${exported}\n")
    else()
      string(APPEND link "    _${exported}@${bytes} = ${symbol}@${bytes}\n")
      string(APPEND import "    ${exported}@${bytes} == _${exported}@${bytes}\n")
    endif()
  endforeach()
  file(CONFIGURE OUTPUT ${link_def} CONTENT "${link}")
  file(CONFIGURE OUTPUT ${import_def} CONTENT "${import}")
endfunction()

lynx_read_export_list(${LYNX_EXPORT_LIST} LYNX_EXPORTS)
set(LYNX_EXPORTED_NAMES ${LYNX_EXPORTS_NAMES})

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

# lynx_write_built_header(<file>)
#   Writes a header that says, for each routine of the first column, whether
#   this build exports it under that name: LYNX_BUILT_<name> is 1 or 0, and
#   where it is 0, LYNX_NOT_BUILT_<name> is the reason as a string.  Sets
#   LYNX_NOT_BUILT in the caller's scope to the names that are 0: none
#   outside the 32-bit build, which lacks some routines and exports others
#   under older names.
function(lynx_write_built_header file)
  set(renamed "")
  if(LYNX_LEGACY32)
    foreach(row IN LISTS LYNX_EXPORTS_LEGACY32_ROWS)
      lynx_legacy32_row("${row}" symbol exported bytes)
      if(NOT symbol STREQUAL exported)
        list(APPEND renamed ${symbol})
        set(older_${symbol} ${exported})
      endif()
    endforeach()
  endif()
  set(text "/* Generated from src/exports.txt: do not edit.\n"
    " * LYNX_BUILT_<name>: 1 when this build exports the routine under that name. */\n")
  set(not_built "")
  foreach(name IN LISTS LYNX_EXPORTS_NAMES)
    if(name IN_LIST renamed)
      set(why "${name} is exported as ${older_${name}} in this build: test_legacy32 and the digest check it")
    elseif(LYNX_LEGACY32 AND name IN_LIST LYNX_EXPORTS_LEGACY32_ABSENT)
      set(why "${name} is not in this build")
    else()
      string(APPEND text "#define LYNX_BUILT_${name} 1\n")
      continue()
    endif()
    list(APPEND not_built ${name})
    string(APPEND text "#define LYNX_BUILT_${name} 0\n#define LYNX_NOT_BUILT_${name} \"${why}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}")
  set(LYNX_NOT_BUILT ${not_built} PARENT_SCOPE)
endfunction()
