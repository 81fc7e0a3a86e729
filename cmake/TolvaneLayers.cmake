# tolvane_publish_folder(<target>): the target's headers become visible to the code that links it as
# "<folder>/Header.h" ("config/CTolvAppParam.h"), and nothing else of the source tree does: the
# include path gets a folder of the build that holds a link to this one folder alone. So a library
# sees the headers of what it links and no more, and an include of a layer it may not use fails to
# compile. scripts/check-layers holds every folder to the layer table as well.
function(tolvane_publish_folder target)
  get_filename_component(name ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${CMAKE_BINARY_DIR}/published/${name})
  if(NOT EXISTS ${root}/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
