# The scene text tool, and the town that ships beside the program: compiled
# from its readable source into the build directory, where the program runs.
add_executable(scene_text ${CMAKE_SOURCE_DIR}/tools/scene_text.cpp)
target_link_libraries(scene_text PRIVATE quill_scene)

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/town
  COMMAND scene_text compile ${CMAKE_SOURCE_DIR}/data/town.txt ${CMAKE_BINARY_DIR}/town
  DEPENDS scene_text ${CMAKE_SOURCE_DIR}/data/town.txt
  COMMENT "Compiling the shipped town from data/town.txt"
  VERBATIM)
add_custom_target(town_scene ALL DEPENDS ${CMAKE_BINARY_DIR}/town)
