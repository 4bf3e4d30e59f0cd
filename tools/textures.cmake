# The town's texture set: tools/make_textures paints every picture and writes
# it with our own TGA writers into textures/ in the build directory, where the
# program runs. Rebuilt whenever the painters change.
file(GLOB QUILL_TEXTURE_TOOL_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tools/make_textures*.cpp ${CMAKE_SOURCE_DIR}/tools/texture_*.cpp)
add_executable(make_textures ${QUILL_TEXTURE_TOOL_SOURCES})
target_link_libraries(make_textures PRIVATE quill_base)
# Painting is arithmetic on every texel: optimise it even in debug builds.
target_compile_options(make_textures PRIVATE -O2)

set(QUILL_TEXTURE_DIR ${CMAKE_BINARY_DIR}/textures)
set(QUILL_TEXTURE_STAMP ${QUILL_TEXTURE_DIR}/.painted)
add_custom_command(
  OUTPUT ${QUILL_TEXTURE_STAMP}
  COMMAND make_textures ${QUILL_TEXTURE_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QUILL_TEXTURE_STAMP}
  DEPENDS make_textures
  COMMENT "Painting the town's textures into ${QUILL_TEXTURE_DIR}")
add_custom_target(textures ALL DEPENDS ${QUILL_TEXTURE_STAMP})
