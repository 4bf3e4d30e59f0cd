# Benchmark of the traffic step: one step of the twenty cars.
if(NOT TARGET benchmark::benchmark)
  find_package(benchmark REQUIRED)
endif()
add_executable(traffic_bench ${CMAKE_CURRENT_LIST_DIR}/traffic_bench.cpp)
target_link_libraries(traffic_bench PRIVATE quill_town benchmark::benchmark)
