# The Windows programs and tests, cross-built with MinGW-w64 as an external project of the native
# build, so that one configure, one build and one ctest cover both.
include(ExternalProject)

find_program(ORV_MINGW_CXX x86_64-w64-mingw32-g++-posix)
if(NOT ORV_MINGW_CXX)
  message(FATAL_ERROR "x86_64-w64-mingw32-g++-posix not found: run tools/setup.sh")
endif()

set(ORV_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
configure_file("${PROJECT_SOURCE_DIR}/tests/wine/emulator.sh.in" "${ORV_WINE_DIR}/emulator.sh"
  @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(ORV_WIN_BINARY_DIR "${CMAKE_BINARY_DIR}/win")
ExternalProject_Add(windows
  SOURCE_DIR "${PROJECT_SOURCE_DIR}"
  BINARY_DIR "${ORV_WIN_BINARY_DIR}"
  CMAKE_GENERATOR "${CMAKE_GENERATOR}"
  CMAKE_ARGS
    "-DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake"
    "-DCMAKE_BUILD_TYPE=Release"
    "-DORV_DIST_DIR=${ORV_DIST_DIR}"
    "-DCMAKE_CROSSCOMPILING_EMULATOR=${ORV_WINE_DIR}/emulator.sh"
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# Run the cross build's tests from this tree's ctest.
file(WRITE "${CMAKE_BINARY_DIR}/windows-tests.cmake" "subdirs(\"${ORV_WIN_BINARY_DIR}\")\n")
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY TEST_INCLUDE_FILES "${CMAKE_BINARY_DIR}/windows-tests.cmake")
