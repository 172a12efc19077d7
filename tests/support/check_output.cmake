# Runs a program and checks its exit status and its output.
#   cmake -DPROGRAM=... [-DARGS=a|b|c] [-DEXIT_CODE=n]
#         [-DEXPECT_1=regex -DEXPECT_2=regex ...]   (each must match stdout)
#         [-DEXPECT_ERROR=regex]                     (must match stderr)
#         [-DEXPECT_ANY=regex]        (must match stdout and stderr together)
#         [-DREJECT=regex]            (must match neither)
#         -P check_output.cmake
# Arguments are separated by '|' so that they may hold commas and blanks.
# The program runs under $LYNX_TEST_LAUNCHER when that is set.
if(NOT DEFINED PROGRAM)
  message(FATAL_ERROR "check_output.cmake: PROGRAM not set")
endif()
if(NOT DEFINED EXIT_CODE)
  set(EXIT_CODE 0)
endif()
string(REPLACE "|" ";" _args "${ARGS}")
# LYNX_TEST_LAUNCHER in the environment (an emulator or a checking tool with
# its options) runs the program.
separate_arguments(_launcher UNIX_COMMAND "$ENV{LYNX_TEST_LAUNCHER}")
execute_process(COMMAND ${_launcher} ${PROGRAM} ${_args}
  RESULT_VARIABLE _status
  OUTPUT_VARIABLE _out
  ERROR_VARIABLE _err)
set(_failed FALSE)
if(NOT "${_status}" STREQUAL "${EXIT_CODE}")
  message(SEND_ERROR "exit status ${_status}, expected ${EXIT_CODE}")
  set(_failed TRUE)
endif()
set(_i 1)
while(DEFINED EXPECT_${_i})
  if(NOT _out MATCHES "${EXPECT_${_i}}")
    message(SEND_ERROR "standard output does not match: ${EXPECT_${_i}}")
    set(_failed TRUE)
  endif()
  math(EXPR _i "${_i} + 1")
endwhile()
if(DEFINED EXPECT_ERROR AND NOT _err MATCHES "${EXPECT_ERROR}")
  message(SEND_ERROR "standard error does not match: ${EXPECT_ERROR}")
  set(_failed TRUE)
endif()
if(DEFINED EXPECT_ANY AND NOT "${_out}${_err}" MATCHES "${EXPECT_ANY}")
  message(SEND_ERROR "output does not match: ${EXPECT_ANY}")
  set(_failed TRUE)
endif()
if(DEFINED REJECT AND "${_out}${_err}" MATCHES "${REJECT}")
  message(SEND_ERROR "output matches: ${REJECT}")
  set(_failed TRUE)
endif()
if(_failed)
  message(FATAL_ERROR "--- standard output:\n${_out}\n--- standard error:\n${_err}")
endif()
