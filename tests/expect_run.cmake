# Runs a command and checks its exit status and output.
#   cmake [-DEXIT=<status>] [-DMATCH=<regex>] [-DNO_MATCH=<regex>]
#         -P expect_run.cmake -- <program> <args>...
# EXIT defaults to 0; MATCH and NO_MATCH are applied to stdout and stderr
# together.
set(COMMAND "")
set(take OFF)
foreach(i RANGE 1 ${CMAKE_ARGC})
  if(i EQUAL CMAKE_ARGC)
    break()
  endif()
  if(take)
    list(APPEND COMMAND "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(take ON)
  endif()
endforeach()
execute_process(COMMAND ${COMMAND}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT DEFINED EXIT)
  set(EXIT 0)
endif()
set(all "${out}${err}")
if(NOT status STREQUAL EXIT)
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}\n${all}")
endif()
if(DEFINED MATCH AND NOT all MATCHES "${MATCH}")
  message(FATAL_ERROR "output does not match '${MATCH}':\n${all}")
endif()
if(DEFINED NO_MATCH AND all MATCHES "${NO_MATCH}")
  message(FATAL_ERROR "output matches '${NO_MATCH}':\n${all}")
endif()
message("${all}")
