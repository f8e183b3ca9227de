# Each folder of the program is a layer and one library. Its headers are included by the layer's
# name ("widgets/Theme.h"), and only a target that links the layer finds them: every layer
# publishes an include folder of its own that holds nothing but a link to the layer's sources, so
# the build itself refuses an include against the direction of the layers.
function(larkspire_layer target)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  get_filename_component(name ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
