# Benchmarks of the track: rebuilding its tables, and one train step.
if(NOT TARGET benchmark::benchmark)
  find_package(benchmark REQUIRED)
endif()
add_executable(track_bench ${CMAKE_CURRENT_LIST_DIR}/track_bench.cpp)
target_include_directories(track_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(track_bench PRIVATE quill_town benchmark::benchmark)
