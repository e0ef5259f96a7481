# The warnings of every target, chosen per compiler: each finds faults the
# other misses, and each rejects flags it does not know.
function(ko_set_warnings target)
  set(common -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
             -Wimplicit-fallthrough)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(specific -Wduplicated-cond -Wlogical-op)
    if(KO_SANITIZE)
      # GCC 12 reports false maybe-uninitialized warnings inside the
      # standard library under the sanitizers.
      list(APPEND specific -Wno-maybe-uninitialized)
    endif()
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(specific -Wshadow-field-in-constructor -Wunreachable-code -Wloop-analysis)
  endif()
  target_compile_options(${target} PRIVATE ${common} ${specific})
  if(KO_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
