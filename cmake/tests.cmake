# Tests mirror src/: every directory under tests/ gets one executable for its
# tests without a display (*_test.cpp, linked with its folder's library) and
# one for its drawing tests (*_gl_test.cpp, linked with the drawing library
# in an off-screen OSMesa context). tests/e2e drives the real program under
# Xvfb.
find_package(GTest REQUIRED)
include(GoogleTest)
find_library(OSMESA_LIBRARY OSMesa REQUIRED)
find_library(GLU_LIBRARY GLU REQUIRED)

file(GLOB QUILL_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
foreach(dir ${QUILL_TEST_DIRS})
  if(NOT IS_DIRECTORY ${dir})
    continue()
  endif()
  get_filename_component(area ${dir} NAME)
  file(GLOB unit_sources CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  list(FILTER unit_sources EXCLUDE REGEX "_gl_test\\.cpp$")
  file(GLOB gl_sources CONFIGURE_DEPENDS ${dir}/*_gl_test.cpp)
  if(unit_sources)
    add_executable(${area}_tests ${unit_sources})
    target_include_directories(${area}_tests PRIVATE tests)
    if(TARGET quill_${area})
      target_link_libraries(${area}_tests PRIVATE quill_${area})
    else()
      # The program's own folder has no library: its tests read its headers
      # over every library below it.
      target_include_directories(${area}_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/${area})
      target_link_libraries(${area}_tests PRIVATE quill_draw)
    endif()
    target_link_libraries(${area}_tests PRIVATE GTest::gtest_main)
    # For the scenes kept in the sources (the heaviest town) that tests read.
    target_compile_definitions(${area}_tests PRIVATE QUILL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(${area}_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)
  endif()
  if(gl_sources)
    add_executable(${area}_gl_tests ${gl_sources} ${CMAKE_SOURCE_DIR}/tests/support/gl_context.cpp)
    target_include_directories(${area}_gl_tests PRIVATE tests)
    target_link_libraries(${area}_gl_tests PRIVATE quill_draw ${OSMESA_LIBRARY} ${GLU_LIBRARY} GTest::gtest_main)
    gtest_discover_tests(${area}_gl_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)
  endif()
endforeach()
# The file prompt's rules for names need no toolkit, so they are tested alone.
target_sources(app_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/app/file_prompt_names.cpp)

# End-to-end: each tests/e2e/*_e2e.sh runs the built program under Xvfb.
file(GLOB QUILL_E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_e2e.sh)
foreach(script ${QUILL_E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e.${name} COMMAND bash ${script} $<TARGET_FILE:quillmoor>
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE LABELS e2e)
endforeach()

# One minute of the soak (scripts/soak.sh): random keys, drags and save/load
# cycles against the real program, its memory sampled as it goes.
add_test(NAME e2e.soak COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/soak.sh $<TARGET_FILE:quillmoor>
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.soak PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE LABELS e2e ENVIRONMENT SOAK_MINUTES=1)

# The fault cases (scripts/faults.sh): every tests/faults/*_faults.sh against
# the real program, with a table of their cases.
add_test(NAME e2e.faults COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/faults.sh $<TARGET_FILE:quillmoor>
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.faults PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE LABELS e2e)

# Every include points down the folders' order (base < town < scene < edit <
# draw < app).
add_test(NAME layers.includes COMMAND bash ${CMAKE_SOURCE_DIR}/tests/layers_check.sh ${CMAKE_SOURCE_DIR})
