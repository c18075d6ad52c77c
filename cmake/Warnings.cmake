# Warnings are on for every target of ours; new warnings are faults.
function(xal_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations)
  if(XAL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
