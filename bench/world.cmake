# Off-screen benchmarks of drawing, run from the build directory (they read
# textures/): the world pass (the track on ties with and without the tie
# table, both passes of a whole frame's world) and one pick under the pointer
# beside one whole frame of the shipped town.
if(NOT TARGET benchmark::benchmark)
  find_package(benchmark REQUIRED)
endif()
find_library(QUILL_BENCH_OSMESA OSMesa)
find_library(QUILL_BENCH_GLU GLU)
if(QUILL_BENCH_OSMESA AND QUILL_BENCH_GLU)
  foreach(bench world_bench pick_bench batching_bench)
    add_executable(${bench} ${CMAKE_CURRENT_LIST_DIR}/${bench}.cpp ${CMAKE_SOURCE_DIR}/tests/support/gl_context.cpp)
    target_include_directories(${bench} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${bench} PRIVATE quill_draw ${QUILL_BENCH_OSMESA} ${QUILL_BENCH_GLU} benchmark::benchmark)
  endforeach()
endif()
