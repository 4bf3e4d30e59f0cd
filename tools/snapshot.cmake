# town_snapshot: renders the town off screen (OSMesa) for looking at it and
# for the reference pictures in docs/. Not part of the program.
find_library(QUILL_SNAPSHOT_OSMESA OSMesa)
find_library(QUILL_SNAPSHOT_GLU GLU)
if(QUILL_SNAPSHOT_OSMESA AND QUILL_SNAPSHOT_GLU)
  add_executable(town_snapshot ${CMAKE_SOURCE_DIR}/tools/town_snapshot.cpp)
  target_link_libraries(town_snapshot PRIVATE quill_draw ${QUILL_SNAPSHOT_OSMESA} ${QUILL_SNAPSHOT_GLU})
endif()

# golden_pictures: renders the golden reference pictures the drawing tests
# compare against (scripts/golden_pictures.sh). Not part of the program.
if(QUILL_SNAPSHOT_OSMESA AND QUILL_SNAPSHOT_GLU)
  add_executable(golden_pictures ${CMAKE_SOURCE_DIR}/tools/golden_pictures.cpp)
  target_include_directories(golden_pictures PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(golden_pictures PRIVATE quill_draw ${QUILL_SNAPSHOT_OSMESA} ${QUILL_SNAPSHOT_GLU})
endif()
