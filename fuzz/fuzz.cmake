# Fuzz targets: every fuzz/<name>_fuzz.cpp becomes a libFuzzer executable of
# the same name over an instrumented copy of the simulation core. Only with
# -DQUILLMOOR_FUZZ=ON and clang; scripts/fuzz.sh sets that up in build-fuzz.
option(QUILLMOOR_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
set(QUILLMOOR_FUZZ_SECONDS 60 CACHE STRING "How long the fuzz_run target runs each fuzz target")

if(QUILLMOOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUILLMOOR_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(QUILL_FUZZ_SANITIZERS address,undefined)
  set(QUILL_FUZZ_FLAGS -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

  # The folders below drawing once more, instrumented for coverage and the
  # sanitizers.
  add_library(quill_core_fuzz STATIC ${QUILL_base_SOURCES} ${QUILL_town_SOURCES} ${QUILL_scene_SOURCES}
              ${QUILL_edit_SOURCES})
  foreach(folder base town scene edit)
    target_include_directories(quill_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR}/src/${folder})
  endforeach()
  target_compile_options(quill_core_fuzz PUBLIC -fsanitize=fuzzer-no-link,${QUILL_FUZZ_SANITIZERS} ${QUILL_FUZZ_FLAGS})
  target_link_options(quill_core_fuzz PUBLIC -fsanitize=${QUILL_FUZZ_SANITIZERS})

  file(GLOB QUILL_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
  add_custom_target(fuzz_run)
  foreach(source ${QUILL_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,${QUILL_FUZZ_SANITIZERS} ${QUILL_FUZZ_FLAGS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,${QUILL_FUZZ_SANITIZERS})
    target_link_libraries(${name} PRIVATE quill_core_fuzz)

    # Runs on a copy of the committed seeds, so new inputs never land in the
    # source tree; a crash leaves its input in fuzz-artifacts/ and fails the build.
    set(work ${CMAKE_BINARY_DIR}/fuzz-work/${name})
    set(artifacts ${CMAKE_BINARY_DIR}/fuzz-artifacts)
    # A target's words (fuzz/<name>.dict) lead it past the first keyword.
    set(dictionary)
    if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/${name}.dict)
      set(dictionary -dict=${CMAKE_SOURCE_DIR}/fuzz/${name}.dict)
    endif()
    add_custom_target(fuzz_run_${name}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${work}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${work} ${artifacts}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name} ${work}
      COMMAND $<TARGET_FILE:${name}> -max_total_time=${QUILLMOOR_FUZZ_SECONDS} -rss_limit_mb=2048
              -timeout=30 -print_final_stats=1 ${dictionary} -artifact_prefix=${artifacts}/${name}- ${work}
      DEPENDS ${name}
      USES_TERMINAL
      COMMENT "Fuzzing ${name} for ${QUILLMOOR_FUZZ_SECONDS} s")
    add_dependencies(fuzz_run fuzz_run_${name})
  endforeach()
endif()
