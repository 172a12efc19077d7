cmake_minimum_required(VERSION 3.16)
# Installs a Windows build into a scratch prefix and builds, as the example's
# README tells a user, the example tire model as a DLL (in C, and in Fortran
# when a Fortran compiler is given) and the driver that plays the solver,
# with the build's cross compilers.  Each model DLL imports no routine of the
# embedded host's control API.  The driver runs beside the installed DLLs,
# loads each model DLL by path and prints the example's reference table.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DDOCDIR=<install docdir> -DCC=...
#         [-DFC=... [-DFORTRAN_MODULE=<module sources>]]
#         -DOBJDUMP=... -DEXPORTS=<src/exports.txt> [-DIMPORTS=<names>] [-DEMULATOR=<program|arg>]
#         -P model_library_check.cmake
# IMPORTS: names, '|' between them, that the model DLLs must import (the decorated stdcall names of
# the 32-bit build).  Without an emulator, or with LYNX_NO_EMULATOR=1 in the environment, the
# programs are built, not run.  PREFIX: an
# installed folder (an unpacked download) to check instead of installing BUILD_DIR.
# FORTRAN_MODULE: the module sources the Fortran model compiles, '|' between them; by default
# those of the installed folder.
include(${CMAKE_CURRENT_LIST_DIR}/support/run_checked.cmake)
lynx_checked_prefix()

set(examples ${prefix}/${DOCDIR}/examples)

file(MAKE_DIRECTORY ${WORK_DIR}/c ${WORK_DIR}/run)
string(REPLACE "|" ";" IMPORTS "${IMPORTS}")
string(REPLACE "|" ";" FORTRAN_MODULE "${FORTRAN_MODULE}")
if(NOT FORTRAN_MODULE)
  set(FORTRAN_MODULE ${prefix}/include/lynx/fortran/lynx_utility.f90
    ${prefix}/include/lynx/fortran/lynx_services.f90)
endif()
set(libs -L${prefix}/lib)
set(models c)
run(${CC} -shared -o ${WORK_DIR}/c/tire_model.dll ${examples}/tire-model/c/tire_model.c
  -I${prefix}/include -I${prefix}/include/lynxhost ${libs} -llynxUtility -lHxUtility -lnolt)
if(FC)
  list(APPEND models fortran)
  file(MAKE_DIRECTORY ${WORK_DIR}/fortran)
  run(${FC} -shared -o ${WORK_DIR}/fortran/tire_model.dll -J${WORK_DIR}/fortran
    ${FORTRAN_MODULE} ${examples}/tire-model/fortran/tire_model.f90
    -static ${prefix}/lib/lynxUtility.dll.a ${prefix}/lib/HxUtility.dll.a ${prefix}/lib/nolt.dll.a)
endif()
run(${CC} -o ${WORK_DIR}/run/solver_driver.exe ${examples}/solver-driver/solver_driver.c
  -I${examples}/tire-model/c -I${prefix}/include/lynxhost ${libs} -lHxUtility -lnolt)

# What each model DLL imports: from lynxUtility.dll and the host's DLLs only
# what model_imports.cmake allows (the library's routines and the solver's
# services, the 32-bit ones by their decorated names), from any other DLL
# only the system's, and the names IMPORTS requires.
include(${CMAKE_CURRENT_LIST_DIR}/support/model_imports.cmake)
foreach(model ${models})
  run(${OBJDUMP} -p ${WORK_DIR}/${model}/tire_model.dll)
  string(REPLACE "\n" ";" lines "${output}")
  set(dll "")
  set(names "")
  foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.+)$")
      string(TOLOWER "${CMAKE_MATCH_1}" dll)
      if(NOT dll MATCHES "^(lynxutility|hxutility|nolt|kernel32|msvcrt|api-ms-win-.*)\\.dll$")
        message(FATAL_ERROR "the ${model} model imports from ${dll}:\n${output}")
      endif()
    elseif(dll MATCHES "^(lynxutility|hxutility|nolt)\\.dll$"
           AND line MATCHES "^\t[0-9a-f]+[ \t]+[0-9]+ +([^ ]+)$")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
  lynx_foreign_imports(foreign ${EXPORTS} "^$" ${names})
  if(foreign OR NOT rto_read_quoted_string IN_LIST names)
    message(FATAL_ERROR "the ${model} model imports what no solver provides (${foreign}), "
      "or not the property-file reader:\n${output}")
  endif()
  foreach(name ${IMPORTS})
    if(NOT name IN_LIST names)
      message(FATAL_ERROR "the ${model} model does not import ${name}:\n${output}")
    endif()
  endforeach()
endforeach()
if(NOT EMULATOR OR "$ENV{LYNX_NO_EMULATOR}")
  message(STATUS "the model DLLs and the driver build against the installed folder; not run here")
  return()
endif()

# The user's folder: the driver beside the installed DLLs; the models are
# loaded from their own folders by relative path.
file(GLOB dlls ${prefix}/bin/*.dll)
file(COPY ${dlls} DESTINATION ${WORK_DIR}/run)
file(COPY ${examples}/tire-model/tire_model.tir DESTINATION ${WORK_DIR})
file(READ ${examples}/tire-model/expected_table.txt expected)
string(REPLACE "|" ";" emulator "${EMULATOR}")
foreach(model ${models})
  run(${emulator} run/solver_driver.exe ${model}/tire_model.dll tire_model.tir)
  string(REPLACE "\r" "" output "${output}")
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "the driver with the ${model} model prints otherwise than "
      "expected_table.txt:\n--- expected:\n${expected}--- ${model}:\n${output}")
  endif()
endforeach()
message(STATUS "the ${models} model DLLs print the reference table:\n${output}")
