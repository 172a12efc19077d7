# Installation:
#   lib/ (CMAKE_INSTALL_LIBDIR)   liblynxUtility.so -> .so.1 -> .so.1.0.0, and
#                                 the embedded host's libHxUtility.so and
#                                 libnolt.so (unless LYNX_INSTALL_HOST is OFF)
#   include/lynx/                 the public headers
#   include/lynxhost/             the embedded host's headers
#   lib/cmake/lynxUtility/        the CMake package (find_package(lynxUtility))
#   lib/pkgconfig/                lynxUtility.pc, lynxUtility-host.pc, and
#                                 for the Fortran modules
#                                 lynxUtility-fortran.pc (lynx_utility),
#                                 lynxUtility-services-fortran.pc (lynx_services),
#                                 lynxUtility-host-fortran.pc (lynx_host)
#   share/doc/lynxUtility/        README, LICENSE, changelog, docs/, examples/ (as in
#                                 the source tree, so their links hold)
#   include/lynx/fortran/         the Fortran module sources, in every build
#                                 (a Windows user compiles them)
# The compiled Fortran modules and their wrappers are installed where they
# are built (fortran/CMakeLists.txt).
# Each rule names its component, which the Debian packages follow
# (cmake/LynxPackage.cmake): Runtime (the shared library), Host (the
# embedded host and the tools), Development (everything to build with).
include(CMakePackageConfigHelpers)

# Folders made by the installation get these permissions whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS lynxUtility
  EXPORT lynxUtilityTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
if(LYNX_INSTALL_HOST)
  install(TARGETS HxUtility nolt
    EXPORT lynxUtilityTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Host
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Host)
endif()
# Windows: the export definitions beside the import libraries, so that a
# user of another toolchain can make an import library of their own, and
# the import library for MSVC made from them.
if(WIN32)
  install(FILES ${LYNX_WINDOWS_DEF} ${LYNX_MSVC_IMPORT_LIBRARY} DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT Development)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/lynx
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development
  FILES_MATCHING PATTERN "*.h")
if(LYNX_INSTALL_HOST)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/host/include/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lynxhost COMPONENT Development
    FILES_MATCHING PATTERN "*.h")
endif()

install(EXPORT lynxUtilityTargets
  NAMESPACE lynx::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/lynxUtility COMPONENT Development)
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
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/lynxUtility COMPONENT Development)

# pkg-config files find the prefix from their own place, so the installed
# tree may be moved (cmake --install --prefix): as many steps up from
# <libdir>/pkgconfig as the library directory is deep (lib/x86_64-linux-gnu
# is two).  Absolute library or include directories are written as they are.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(LYNX_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(LYNX_PC_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
  set(LYNX_PC_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
else()
  file(RELATIVE_PATH _lynx_pc_up "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
  string(REGEX REPLACE "/$" "" _lynx_pc_up "${_lynx_pc_up}")
  set(LYNX_PC_PREFIX "\${pcfiledir}/${_lynx_pc_up}")
  set(LYNX_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  set(LYNX_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
set(_lynx_pc_files lynxUtility)
if(LYNX_INSTALL_HOST)
  list(APPEND _lynx_pc_files lynxUtility-host)
endif()
if(TARGET lynxUtility_fortran)
  list(APPEND _lynx_pc_files lynxUtility-fortran lynxUtility-services-fortran)
  if(LYNX_INSTALL_HOST)
    list(APPEND _lynx_pc_files lynxUtility-host-fortran)
  endif()
endif()
foreach(_pc IN LISTS _lynx_pc_files)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${_pc}.pc.in ${PROJECT_BINARY_DIR}/${_pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${_pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT Development)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs COMPONENT Development
  FILES_MATCHING PATTERN "*.md" PATTERN "*.svg")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
  COMPONENT Development
  FILES_MATCHING PATTERN "CMakeLists.txt" PATTERN "*.c" PATTERN "*.h" PATTERN "*.f90" PATTERN "*.tir" PATTERN "*.csv"
  PATTERN "*.md" PATTERN "*.sh" PATTERN "expected_table.txt")

set(_lynx_fortran_sources ${PROJECT_SOURCE_DIR}/fortran/lynx_utility.f90
  ${PROJECT_SOURCE_DIR}/fortran/lynx_services.f90)
if(LYNX_INSTALL_HOST)
  list(APPEND _lynx_fortran_sources ${PROJECT_SOURCE_DIR}/fortran/lynx_host.f90)
endif()
install(FILES ${_lynx_fortran_sources} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lynx/fortran
  COMPONENT Development)
