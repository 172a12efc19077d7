# Installation: libraries in lib/, public headers in include/lynx/, the host
# stand-ins' headers in include/lynxhost/, a CMake package config
# (find_package(lynxUtility)) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS lynxUtility HxUtility nolt
  EXPORT lynxUtilityTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Windows: the export definitions beside the import libraries, so that a
# user of another toolchain can make an import library of their own.
if(WIN32)
  install(FILES ${LYNX_WINDOWS_DEF} DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/lynx
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/host/include/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lynxhost
  FILES_MATCHING PATTERN "*.h")

install(EXPORT lynxUtilityTargets
  NAMESPACE lynx::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/lynxUtility)
configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/lynxUtilityConfig.cmake.in
  ${PROJECT_BINARY_DIR}/lynxUtilityConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/lynxUtility)
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/lynxUtilityConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/lynxUtilityConfig.cmake
  ${PROJECT_BINARY_DIR}/lynxUtilityConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/lynxUtility)

configure_file(${PROJECT_SOURCE_DIR}/cmake/lynxUtility.pc.in
  ${PROJECT_BINARY_DIR}/lynxUtility.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lynxUtility.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
