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

# lynx_checked_prefix(): empties WORK_DIR and sets `prefix` to the installed
# folder to check: PREFIX (an unpacked download) when it is given, else a
# fresh install of BUILD_DIR in WORK_DIR/prefix.
macro(lynx_checked_prefix)
  file(REMOVE_RECURSE ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  if(PREFIX)
    set(prefix ${PREFIX})
  else()
    set(prefix ${WORK_DIR}/prefix)
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
  endif()
endmacro()
