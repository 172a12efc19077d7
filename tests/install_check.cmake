# Installs the build into a scratch prefix and builds and runs a project that
# finds the library through its package config.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P install_check.cmake
# For a Windows build, also -DTOOLCHAIN=<file> -DPROCESSOR=<processor>
# -DEMULATOR=<program|arg>: the installed folder must then hold everything a
# Windows user copies (the three DLLs, import libraries for mingw-w64 and
# MSVC, the .def file, headers, the CMake package and the tools), and the
# consumer is built with the same toolchain and run, as a user would,
# beside copies of the DLLs.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
  RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "install failed")
endif()
if(TOOLCHAIN)
  set(files bin/lynxUtility.dll bin/HxUtility.dll bin/nolt.dll bin/lynx-demo.exe bin/lynx-curve.exe
    lib/lynxUtility.dll.a lib/HxUtility.dll.a lib/nolt.dll.a lib/lynxUtility.def lib/lynxUtility.lib)
  set(consumer_args -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DLYNX_WINDOWS_PROCESSOR=${PROCESSOR}
    -DlynxUtility_DIR=${WORK_DIR}/prefix/lib/cmake/lynxUtility)
else()
  set(files lib/liblynxUtility.so lib/liblynxUtility.so.1 lib/liblynxUtility.so.1.0.0
    lib/libHxUtility.so lib/libnolt.so lib/pkgconfig/lynxUtility.pc
    lib/pkgconfig/lynxUtility-host.pc)
  set(consumer_args -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix)
endif()
foreach(file ${files} include/lynx/lynxUtility.h include/lynx/units.h include/lynxhost/HxUtility.h
        include/lynxhost/HxHost.h lib/cmake/lynxUtility/lynxUtilityConfig.cmake
        share/doc/lynxUtility/LICENSE share/doc/lynxUtility/CHANGELOG.md
        share/doc/lynxUtility/README.md)
  if(NOT EXISTS ${WORK_DIR}/prefix/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The development link and the SONAME link point down the version chain.
if(NOT TOOLCHAIN)
  foreach(link liblynxUtility.so:liblynxUtility.so.1 liblynxUtility.so.1:liblynxUtility.so.1.0.0)
    string(REPLACE ":" ";" link "${link}")
    list(GET link 0 name)
    list(GET link 1 target)
    file(READ_SYMLINK ${WORK_DIR}/prefix/lib/${name} points_to)
    if(NOT points_to STREQUAL target)
      message(FATAL_ERROR "lib/${name} points to '${points_to}', not '${target}'")
    endif()
  endforeach()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install_consumer -B ${WORK_DIR}/consumer
  ${consumer_args} RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "the consumer project does not configure against the installed package")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/consumer RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "the consumer project does not build")
endif()
if(TOOLCHAIN)
  # The user's folder: the program and the three DLLs copied beside it.
  file(MAKE_DIRECTORY ${WORK_DIR}/user)
  file(GLOB dlls ${WORK_DIR}/prefix/bin/*.dll)
  file(COPY ${WORK_DIR}/consumer/consumer.exe ${dlls} DESTINATION ${WORK_DIR}/user)
  string(REPLACE "|" ";" emulator "${EMULATOR}")
  execute_process(COMMAND ${emulator} ${WORK_DIR}/user/consumer.exe RESULT_VARIABLE status)
  if(status)
    message(FATAL_ERROR "the consumer program failed: ${status}")
  endif()
  # The installed tools run from the installed folder as they are.
  execute_process(COMMAND ${emulator} ${WORK_DIR}/prefix/bin/lynx-demo.exe --version
    RESULT_VARIABLE status OUTPUT_VARIABLE out)
  if(status OR NOT out MATCHES "ORB Release  ver: 2010\\.1\\.19\\.37")
    message(FATAL_ERROR "the installed lynx-demo.exe failed (${status}):\n${out}")
  endif()
else()
  execute_process(COMMAND ${WORK_DIR}/consumer/consumer RESULT_VARIABLE status)
  if(status)
    message(FATAL_ERROR "the consumer program failed")
  endif()
endif()
