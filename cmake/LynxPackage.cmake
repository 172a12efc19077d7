# What a user downloads, made with cpack in a build folder:
#   Windows (the windows-x64 and windows-x86 presets):
#     lynxUtility-<version>-win64.zip, lynxUtility-<version>-win32.zip
#   Linux:
#     lynxUtility-<version>-Linux-<processor>.tar.gz        the whole install
#     liblynxutility1_<version>_<arch>.deb                  Runtime
#     lynxutility-host_<version>_<arch>.deb                 Host
#     liblynxutility-dev_<version>_<arch>.deb               Development
# The archives hold every component under one top folder named like the
# archive; the Debian packages are split by component:
#   Runtime      liblynxUtility.so.1 and .so.1.0.0, named after the SONAME.
#   Host         the embedded host (libHxUtility.so, libnolt.so) and the
#                tools that run on it.  A package of its own: a solver
#                brings its own HxUtility and nolt, and stand-ins on the
#                system library path would be found in their place by any
#                program that asks for them by name; a machine that only
#                runs models in a solver installs the runtime alone.
#   Development  headers, the .so link, the CMake package and pkg-config
#                files, the Fortran wrappers, modules and module sources,
#                documentation and examples.  The CMake package names the
#                host's libraries, so it depends on the Host package too.

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_lynx_package_system win64)
  else()
    set(_lynx_package_system win32)
  endif()
  set(CPACK_GENERATOR ZIP)
else()
  set(_lynx_package_system ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_GENERATOR TGZ DEB)
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "lynxUtility developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${_lynx_package_system})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
# Reproducible downloads: with SOURCE_DATE_EPOCH set when the build is
# configured, every entry of every package bears that moment, root owns it,
# the entries stand in the order of their names, and folders have fixed
# permissions whatever the umask (cmake/LynxPackageFiles.cmake).
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_LYNX_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
set(CPACK_LYNX_SOURCE_DIR ${PROJECT_SOURCE_DIR})
find_package(Python3 COMPONENTS Interpreter QUIET)
set(CPACK_LYNX_PYTHON "${Python3_EXECUTABLE}")
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/LynxPackageFiles.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/LynxPackageFiles.cmake)
# Only the install rules; no source package.
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "lynxUtility developers <lynxutility@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# dpkg-shlibdeps cannot place libHxUtility.so and libnolt.so, which no
# installed package provides (they come with the Host package or the
# solver), so the system dependencies are written out.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(_lynx_deb_version "(= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME liblynxutility1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libc6, libstdc++6")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SUGGESTS "lynxutility-host")
set(CPACK_DEBIAN_HOST_PACKAGE_NAME lynxutility-host)
set(CPACK_DEBIAN_HOST_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_HOST_PACKAGE_DEPENDS "liblynxutility1 ${_lynx_deb_version}, libc6, libstdc++6, libgcc-s1")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME liblynxutility-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "liblynxutility1 ${_lynx_deb_version}, lynxutility-host ${_lynx_deb_version}")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SUGGESTS "gfortran, pkg-config")

include(CPack)

cpack_add_component(Runtime DISPLAY_NAME "Library"
  DESCRIPTION "liblynxUtility.so.1, the library that tire models and other user subroutines call")
cpack_add_component(Host DISPLAY_NAME "Embedded host" DEPENDS Runtime
  DESCRIPTION "Stand-ins for the solver's HxUtility and nolt libraries, and the tools that run on them")
cpack_add_component(Development DISPLAY_NAME "Development files" DEPENDS Runtime Host
  DESCRIPTION "Headers, CMake and pkg-config files, Fortran modules, documentation and examples")
