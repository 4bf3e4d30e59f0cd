# Benchmark of picking: one pick under the pointer beside one whole frame of
# the shipped town, in an off-screen context. Run it from the build directory.
if(NOT TARGET benchmark::benchmark)
  find_package(benchmark REQUIRED)
endif()
find_library(QUILL_BENCH_OSMESA OSMesa)
find_library(QUILL_BENCH_GLU GLU)
if(QUILL_BENCH_OSMESA AND QUILL_BENCH_GLU)
  add_executable(pick_bench ${CMAKE_CURRENT_LIST_DIR}/pick_bench.cpp ${CMAKE_SOURCE_DIR}/tests/support/gl_context.cpp)
  target_include_directories(pick_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(pick_bench PRIVATE quill_draw ${QUILL_BENCH_OSMESA} ${QUILL_BENCH_GLU} benchmark::benchmark)
endif()
