# Warnings are errors in every build, native and Windows alike.
function(tolvane_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
    -Wimplicit-fallthrough -Wformat=2 -Wmissing-declarations)
endfunction()
