# Compiler settings shared by every target of the project.
#
# The library's results are fixed to the bit, so contraction into fused
# multiply-add and fast-math are switched off on each target.  Target options
# come after CMAKE_<LANG>_FLAGS on the command line, so they still hold when
# a user configures with -march=native or -ffast-math.

function(lynx_target_settings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion
      -ffp-contract=off -fno-fast-math -fno-finite-math-only
      -fno-associative-math -fno-reciprocal-math -fsigned-zeros)
    if(LYNX_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 /fp:precise /fp:contract-)
    if(LYNX_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  endif()
  if(LYNX_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=${LYNX_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${LYNX_SANITIZE})
  endif()
endfunction()

# A shared library that exports only what its export list names: hidden
# visibility by default, plus a linker version script on ELF platforms.
function(lynx_hidden_visibility target)
  set_target_properties(${target} PROPERTIES
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()
