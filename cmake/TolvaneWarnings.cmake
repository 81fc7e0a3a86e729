# The warnings every target of ours is built with. The presets turn them into errors
# (CMAKE_COMPILE_WARNING_AS_ERROR), so that our builds stay clean while a user's own build with a
# newer compiler, whose new warnings we have not seen yet, still builds.
function(tolvane_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
    -Wimplicit-fallthrough -Wformat=2 -Wmissing-declarations)
endfunction()
