cmake_minimum_required(VERSION 3.16)
# Every routine of the export list has its own heading in the reference
# pages (docs/reference/*.md) and an interface in the Fortran module, the
# module binds nothing that is not exported, and the documents' relative
# links lead to files that exist.
#   cmake -DSOURCE_DIR=... -P check_docs.cmake
file(STRINGS ${SOURCE_DIR}/src/exports.txt lines)
set(exported "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)")
    list(APPEND exported ${CMAKE_MATCH_1})
  endif()
endforeach()
list(LENGTH exported count)
if(count LESS 10)
  message(FATAL_ERROR "read only ${count} routines from src/exports.txt")
endif()

set(problems "")

# Headings of the reference pages, e.g. "## `KXV_ADD`, `AVEC`".
file(GLOB pages ${SOURCE_DIR}/docs/reference/*.md)
set(headings "")
foreach(page IN LISTS pages)
  file(STRINGS ${page} page_headings REGEX "^#+ ")
  list(APPEND headings ${page_headings})
endforeach()
string(JOIN "\n" headings ${headings})

file(READ ${SOURCE_DIR}/fortran/lynx_utility.f90 module)
foreach(name IN LISTS exported)
  if(NOT headings MATCHES "`${name}`")
    string(APPEND problems "  ${name}: no heading in docs/reference/*.md\n")
  endif()
  if(NOT module MATCHES "bind\\(C, name=\"${name}\"\\)")
    string(APPEND problems "  ${name}: no interface in fortran/lynx_utility.f90\n")
  endif()
endforeach()

# What the module binds: the library's routines, and two of the C library's.
string(REGEX MATCHALL "bind\\(C, name=\"[A-Za-z0-9_]+\"\\)" bindings "${module}")
foreach(binding IN LISTS bindings)
  string(REGEX REPLACE ".*name=\"([A-Za-z0-9_]+)\".*" "\\1" name "${binding}")
  if(NOT name IN_LIST exported AND NOT name MATCHES "^(strlen|fflush)$")
    string(APPEND problems "  ${name}: bound by the module but not exported\n")
  endif()
endforeach()

# The services module binds the solver's services alone (the names a
# model may import, model_imports.cmake), and docs/fortran.md gives the
# signature of every public routine of each module.
include(${CMAKE_CURRENT_LIST_DIR}/model_imports.cmake)
file(READ ${SOURCE_DIR}/fortran/lynx_services.f90 services)
string(REGEX MATCHALL "bind\\(C, name=\"[A-Za-z0-9_]+\"\\)" bindings "${services}")
foreach(binding IN LISTS bindings)
  string(REGEX REPLACE ".*name=\"([A-Za-z0-9_]+)\".*" "\\1" name "${binding}")
  if(NOT name IN_LIST LYNX_SOLVER_SERVICES)
    string(APPEND problems "  ${name}: bound by lynx_services but no solver service\n")
  endif()
endforeach()
file(READ ${SOURCE_DIR}/docs/fortran.md guide)
foreach(source lynx_utility lynx_services lynx_host)
  file(STRINGS ${SOURCE_DIR}/fortran/${source}.f90 publics REGEX "^ *public *::")
  string(REGEX REPLACE "public *::|," " " publics "${publics}")
  string(REGEX MATCHALL "[a-z0-9_]+" publics "${publics}")
  foreach(name IN LISTS publics)
    # A routine has a row ("`call name(", "`name("); a constant is named.
    if(NOT guide MATCHES "`(call )?${name}[`(]")
      string(APPEND problems "  ${name} (${source}): not in docs/fortran.md\n")
    endif()
  endforeach()
endforeach()

# Relative links of the documents.
file(GLOB_RECURSE documents ${SOURCE_DIR}/docs/*.md)
list(APPEND documents ${SOURCE_DIR}/README.md ${SOURCE_DIR}/examples/tire-model/README.md)
foreach(document IN LISTS documents)
  file(READ ${document} text)
  get_filename_component(dir ${document} DIRECTORY)
  # Square brackets would keep CMake from splitting the list of matches.
  string(REPLACE "[" "(open)" text "${text}")
  string(REPLACE "]" "(close)" text "${text}")
  string(REGEX MATCHALL "\\(close\\)\\([^)#:]+\\)" links "${text}")
  foreach(link IN LISTS links)
    string(REGEX REPLACE "^\\(close\\)\\(([^)#]+)\\)$" "\\1" target "${link}")
    if(NOT EXISTS ${dir}/${target})
      file(RELATIVE_PATH where ${SOURCE_DIR} ${document})
      string(APPEND problems "  ${where}: link to missing '${target}'\n")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "documentation check failed:\n${problems}")
endif()
message(STATUS "${count} routines: each has a reference heading and a Fortran interface")
