# The embedded host's sources, for host/CMakeLists.txt and for the test
# projects that compile the host into a program of their own
# (tests/legacy32/digest, windows/legacy32/loader): HxUtility's and
# nolt's, with the folders their sources include from.
set(LYNX_HOST_HXUTILITY_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/hxutility/hx_units.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hxutility/hx_messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hxutility/hx_strings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hxutility/hx_state.cpp)
set(LYNX_HOST_NOLT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/nolt/nolt_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nolt/nolt_api.cpp)
# The host's own headers (hx_text.hpp) and, for the unit codes, the
# library's public ones.
set(LYNX_HOST_PRIVATE_INCLUDES ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/../include)
