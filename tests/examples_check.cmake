# Installs the build into a scratch prefix and builds the example tire model
# as an outside project five ways: C and Fortran with CMake's
# find_package, C and Fortran with pkg-config, and C with a plain compiler
# line.  Runs each one and checks that all print the same table and
# messages.  Then builds the driver that plays the solver and runs it with
# the model's C and Fortran libraries, loaded at run time; every output is
# the example's reference table, byte for byte.  The Fortran example's
# output is left in WORK_DIR/fortran-output.txt, for comparing builds made
# with other Fortran compilers.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DLIBDIR=<install libdir> -DDOCDIR=<install docdir>
#         -DC_COMPILER=... -DFortran_COMPILER=... [-DLINKER_FLAGS=...] -P examples_check.cmake
# LINKER_FLAGS: what the build's executables are linked with (a compiler
# that needs help to find its own runtime).  PREFIX: an installed folder
# (an unpacked download) to check instead of installing BUILD_DIR.
include(${CMAKE_CURRENT_LIST_DIR}/support/run_checked.cmake)
lynx_checked_prefix()
find_program(NM nm REQUIRED)

# The example as installed with the documentation, so what is shipped is
# complete.
set(example ${prefix}/${DOCDIR}/examples/tire-model)
set(property_file ${example}/tire_model.tir)

if(NOT EXISTS ${example}/c/CMakeLists.txt)
  message(FATAL_ERROR "the example is not installed in ${example}")
endif()
set(libdir ${prefix}/${LIBDIR})

# CMake: find_package(lynxUtility) in C and in Fortran.
foreach(lang c fortran)
  run(${CMAKE_COMMAND} -S ${example}/${lang} -B ${WORK_DIR}/${lang} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_Fortran_COMPILER=${Fortran_COMPILER}
    "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}" "-DCMAKE_SHARED_LINKER_FLAGS=${LINKER_FLAGS}")
  run(${CMAKE_COMMAND} --build ${WORK_DIR}/${lang})
  run(${WORK_DIR}/${lang}/run_tire_model ${property_file})
  set(output_${lang} "${output}")
endforeach()

# The driver, which loads each model library by path.
run(${CMAKE_COMMAND} -S ${prefix}/${DOCDIR}/examples/solver-driver -B ${WORK_DIR}/driver
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_C_COMPILER=${C_COMPILER})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/driver)
foreach(lang c fortran)
  run(${WORK_DIR}/driver/solver_driver ${WORK_DIR}/${lang}/libtire_model.so ${property_file})
  set(output_${lang}_library "${output}")
  # Built from the installed package, the model's library needs nothing of
  # the embedded host.
  run(${CMAKE_COMMAND} -DNM=${NM} -DLIBRARY=${WORK_DIR}/${lang}/libtire_model.so
    -DEXPORTS=${CMAKE_CURRENT_LIST_DIR}/../src/exports.txt
    -P ${CMAKE_CURRENT_LIST_DIR}/support/check_model_symbols.cmake)
endforeach()

# pkg-config, from the installed .pc files.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${libdir}/pkgconfig)
run(${PKG_CONFIG} --cflags --libs lynxUtility-host)
string(STRIP "${output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run(${C_COMPILER} -o ${WORK_DIR}/run_pkg_config ${example}/c/run_tire_model.c
  ${example}/c/tire_model.c ${flags} -Wl,-rpath,${libdir})
run(${WORK_DIR}/run_pkg_config ${property_file})
set(output_pkg_config "${output}")
# The Fortran model and its driver on the embedded host.
run(${PKG_CONFIG} --cflags --libs lynxUtility-fortran lynxUtility-host-fortran)
string(STRIP "${output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
separate_arguments(linker_flags UNIX_COMMAND "${LINKER_FLAGS}")
run(${Fortran_COMPILER} -o ${WORK_DIR}/run_pkg_config_fortran ${example}/fortran/tire_model.f90
  ${example}/fortran/run_tire_model.f90 ${flags} ${linker_flags} -Wl,-rpath,${libdir})
run(${WORK_DIR}/run_pkg_config_fortran ${property_file})
set(output_pkg_config_fortran "${output}")

# A plain compiler line.
run(${C_COMPILER} -o ${WORK_DIR}/run_plain -I${prefix}/include -I${prefix}/include/lynxhost
  ${example}/c/run_tire_model.c ${example}/c/tire_model.c -L${libdir} -llynxUtility -lHxUtility
  -lnolt -Wl,-rpath,${libdir})
run(${WORK_DIR}/run_plain ${property_file})
set(output_plain "${output}")

# The model with its own Akima fit, as the 32-bit Windows library (which has
# no spline routines) makes it build.
run(${C_COMPILER} -DTIRE_MODEL_OWN_SPLINE -o ${WORK_DIR}/run_own_spline -I${prefix}/include
  -I${prefix}/include/lynxhost ${example}/c/run_tire_model.c ${example}/c/tire_model.c -L${libdir}
  -llynxUtility -lHxUtility -lnolt -lm -Wl,-rpath,${libdir})
run(${WORK_DIR}/run_own_spline ${property_file})
set(output_own_spline "${output}")

# The table is really there, then every build prints the same.
foreach(line "state  distance" "\n    6   0.320000  no " "host messages:\n  INFO_NOPAD 0 'tire front_left: property file read"
             "INFO_NOPAD 0 'tire front_left has lost contact with the road'")
  string(FIND "${output_c}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the C example's output lacks '${line}':\n${output_c}")
  endif()
endforeach()
file(WRITE ${WORK_DIR}/fortran-output.txt "${output_fortran}")
file(READ ${example}/expected_table.txt expected)
if(NOT output_c STREQUAL expected)
  message(FATAL_ERROR "the C example prints otherwise than expected_table.txt:\n"
    "--- expected:\n${expected}--- C:\n${output_c}")
endif()
foreach(other fortran pkg_config pkg_config_fortran plain own_spline c_library fortran_library)
  if(NOT output_${other} STREQUAL output_c)
    message(FATAL_ERROR "the ${other} build prints otherwise than the C build:\n"
      "--- C:\n${output_c}--- ${other}:\n${output_${other}}")
  endif()
endforeach()
message(STATUS "C and Fortran examples agree:\n${output_c}")
