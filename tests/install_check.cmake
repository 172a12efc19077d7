# Installs the build into a scratch prefix and builds and runs a project that
# finds the library through its package config.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P install_check.cmake
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
  RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "install failed")
endif()
foreach(file lib/liblynxUtility.so lib/liblynxUtility.so.1 lib/liblynxUtility.so.1.0.0
        lib/libHxUtility.so lib/libnolt.so include/lynx/lynxUtility.h include/lynx/units.h
        include/lynxhost/HxHost.h lib/pkgconfig/lynxUtility.pc lib/pkgconfig/lynxUtility-host.pc
        lib/cmake/lynxUtility/lynxUtilityConfig.cmake share/doc/lynxUtility/LICENSE
        share/doc/lynxUtility/CHANGELOG.md share/doc/lynxUtility/README.md)
  if(NOT EXISTS ${WORK_DIR}/prefix/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The development link and the SONAME link point down the version chain.
foreach(link liblynxUtility.so:liblynxUtility.so.1 liblynxUtility.so.1:liblynxUtility.so.1.0.0)
  string(REPLACE ":" ";" link "${link}")
  list(GET link 0 name)
  list(GET link 1 target)
  file(READ_SYMLINK ${WORK_DIR}/prefix/lib/${name} points_to)
  if(NOT points_to STREQUAL target)
    message(FATAL_ERROR "lib/${name} points to '${points_to}', not '${target}'")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install_consumer -B ${WORK_DIR}/consumer
  -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "the consumer project does not configure against the installed package")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/consumer RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "the consumer project does not build")
endif()
execute_process(COMMAND ${WORK_DIR}/consumer/consumer RESULT_VARIABLE status)
if(status)
  message(FATAL_ERROR "the consumer program failed")
endif()
