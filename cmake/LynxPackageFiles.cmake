# Run by cpack for each package, twice (CPACK_PRE_BUILD_SCRIPTS and
# CPACK_POST_BUILD_SCRIPTS), so that a package made from a build configured
# under SOURCE_DATE_EPOCH depends neither on when nor by whom it is made.
#   Before the package is made (its files are staged): cpack gives the
#   entries of every package the moment of SOURCE_DATE_EPOCH from its
#   environment; where that is not set, the moment the build was configured
#   with is set there.
#   After (CPACK_PACKAGE_FILES names the packages): the .tar.gz and .zip
#   archives, which cpack writes in the order it finds the files, owned by
#   whoever runs it, are rewritten in the order of the names, owned by root
#   (cmake/normalize_archive.py).  The Debian packages are so already.
if(NOT DEFINED CPACK_PACKAGE_FILES)
  if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "" AND NOT CPACK_LYNX_SOURCE_DATE_EPOCH STREQUAL "")
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_LYNX_SOURCE_DATE_EPOCH}")
  endif()
  return()
endif()
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.(tar\\.gz|zip)$")
    if(NOT CPACK_LYNX_PYTHON)
      message(WARNING "no Python 3 found when the build was configured: ${package} is left "
        "in the order cpack found its files, owned by the user who made it")
      continue()
    endif()
    execute_process(COMMAND ${CPACK_LYNX_PYTHON} ${CPACK_LYNX_SOURCE_DIR}/cmake/normalize_archive.py
      ${package} $ENV{SOURCE_DATE_EPOCH} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "normalize_archive.py failed on ${package}")
    endif()
  endif()
endforeach()
