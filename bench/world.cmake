# Benchmark of the world pass: the track on ties with and without the tie
# table, and both passes of a whole frame's world, in an off-screen context.
if(NOT TARGET benchmark::benchmark)
  find_package(benchmark REQUIRED)
endif()
find_library(QUILL_BENCH_OSMESA OSMesa)
find_library(QUILL_BENCH_GLU GLU)
if(QUILL_BENCH_OSMESA AND QUILL_BENCH_GLU)
  add_executable(world_bench ${CMAKE_CURRENT_LIST_DIR}/world_bench.cpp ${CMAKE_SOURCE_DIR}/tests/support/gl_context.cpp)
  target_include_directories(world_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(world_bench PRIVATE quill_draw ${QUILL_BENCH_OSMESA} ${QUILL_BENCH_GLU} benchmark::benchmark)
endif()
