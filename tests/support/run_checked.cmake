# run(<command> <args>...): runs a command in WORK_DIR (where a compiler
# line leaves its module files) and sets `output` in the caller's scope to
# its standard output; a failure ends the script with the command, its
# status and both outputs.  For the scripts that build and run programs
# against an installed copy.
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status
    OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(status)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "failed (${status}): ${command}\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()
