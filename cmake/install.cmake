# The installed program, laid out as a desktop application:
#   bin/quillmoor                      the launcher, on the PATH
#   lib/quillmoor/quillmoor            the program, which only the launcher starts
#   share/quillmoor/town, textures/    what the launcher copies to each user
#   share/applications, share/icons    the desktop entry and its icon
# `cmake --install build --prefix PREFIX` puts it in place; `cpack -G DEB` in
# the build directory makes the Debian package of the same files under /usr.
set(QUILL_PROGRAM_DIR lib/quillmoor)
set(QUILL_DATA_DIR share/quillmoor)

install(TARGETS quillmoor RUNTIME DESTINATION ${QUILL_PROGRAM_DIR})
install(FILES ${CMAKE_BINARY_DIR}/town DESTINATION ${QUILL_DATA_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/textures/ DESTINATION ${QUILL_DATA_DIR}/textures
        FILES_MATCHING PATTERN "*.tga")

# The launcher finds the program and the data from where it is installed, so
# any prefix works, and a package or an install can be moved.
set(QUILL_LAUNCHER_TO_PROGRAM ../${QUILL_PROGRAM_DIR}/quillmoor)
set(QUILL_LAUNCHER_TO_DATA ../${QUILL_DATA_DIR})
configure_file(${CMAKE_SOURCE_DIR}/desktop/quillmoor.in ${CMAKE_BINARY_DIR}/launcher/quillmoor @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/quillmoor DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/quillmoor.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/quillmoor.svg DESTINATION share/icons/hicolor/scalable/apps)

# The Debian package. dpkg-shlibdeps names the packages of every library the
# program links (FLTK, GL, GLU, X, libpng16-16 for the screenshots, the C++
# runtime); libglx-mesa0, which those
# bring, brings the Mesa drivers that draw on any display.
set(CPACK_PACKAGE_NAME quillmoor)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "Quillmoor developers <quillmoor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Small textured town with a train on a track you shape")
set(CPACK_PACKAGE_DESCRIPTION "A locomotive runs on a closed spline track whose control points you\nedit; its speed follows from conservation of energy. Twenty cars drive\na street grid and take turns at stop signs, and a sun crosses the sky in\na day and night cycle. One OpenGL window, keyboard and mouse editing,\nscene files and a statistics report.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(QUILLMOOR_TESTS)
  add_test(NAME package.deb COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/deb_check.sh
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(package.deb PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()
