# Build rules shared by every subsystem folder.
#
#   ORV_WINDOWS / ORV_NATIVE   which kind of build this is (Windows programs, or the Linux build of
#                              the portable logic, tools and end-to-end tests)
#   orv_windows_program()      a shipped Windows GUI program, written to dist/
#   orv_native_test()          a GoogleTest program of the native build (sanitizers on)
#   orv_windows_test()         a GoogleTest program of the Windows build (run under Wine when cross)
#   orv_e2e_test()             a scenario script that drives the real programs under Wine on Xvfb

if(WIN32)
  set(ORV_WINDOWS ON)
  set(ORV_NATIVE OFF)
else()
  set(ORV_WINDOWS OFF)
  set(ORV_NATIVE ON)
endif()

set(ORV_DIST_DIR "${PROJECT_SOURCE_DIR}/dist" CACHE PATH "Where the shipped programs are written")
set(ORV_GOOGLETEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources (Debian: package googletest)")

if(ORV_NATIVE)
  # Every native object, GoogleTest included, is built with the sanitizers so that the portable
  # logic's tests catch memory and undefined-behaviour faults.
  option(ORV_SANITIZE "Build the native code with AddressSanitizer and UBSan" ON)
  if(ORV_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
  add_compile_options(-Wall -Wextra)
  # With clang, everything is also built for coverage-guided fuzzing, so the fuzz targets in
  # tests/fuzz see inside the libraries they drive.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    option(ORV_FUZZ "Build the libFuzzer targets" ON)
  else()
    set(ORV_FUZZ OFF)
  endif()
  if(ORV_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
elseif(MINGW)
  # Static, self-contained programs with no time stamp in their headers (reproducible bytes).
  add_compile_options(-Wall -Wextra "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.")
  add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
endif()

# GoogleTest is built from its sources once per build tree, with this tree's flags.
function(orv_need_gtest)
  if(TARGET gtest_main)
    return()
  endif()
  if(EXISTS "${ORV_GOOGLETEST_DIR}/CMakeLists.txt")
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory("${ORV_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/_googletest" EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
    add_library(gtest_main ALIAS GTest::gtest_main)
  endif()
endfunction()

# orv_windows_program(<target> NAME <file name> SOURCES ... [LIBS ...])
function(orv_windows_program target)
  cmake_parse_arguments(A "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} WIN32 ${A_SOURCES})
  target_link_libraries(${target} PRIVATE ${A_LIBS})
  if(MINGW)
    # Shipped without symbols: half the size, and nothing of the build machine inside.
    target_link_options(${target} PRIVATE -s)
  endif()
  get_filename_component(stem "${A_NAME}" NAME_WE)
  get_filename_component(ext "${A_NAME}" LAST_EXT)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME "${stem}" SUFFIX "${ext}"
    RUNTIME_OUTPUT_DIRECTORY "${ORV_DIST_DIR}")
  foreach(cfg Debug Release RelWithDebInfo MinSizeRel)
    string(TOUPPER ${cfg} CFG)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY_${CFG} "${ORV_DIST_DIR}")
  endforeach()
endfunction()

# orv_native_test(<name> SOURCES ... [LIBS ...])
function(orv_native_test name)
  if(NOT ORV_NATIVE)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  orv_need_gtest()
  include(GoogleTest)
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest_main gmock)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_PREFIX "native." PROPERTIES LABELS native)
endfunction()

# orv_windows_test(<name> SOURCES ... [LIBS ...] [RESOURCES file.rc ...])
# A console program run under Wine (cross build) or directly (Windows build). Wine runs it in the
# unit-test prefix on the unit-test display, both made by the wine_unit fixture.
function(orv_windows_test name)
  if(NOT ORV_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  orv_need_gtest()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest_main gmock)
  add_test(NAME windows.${name} COMMAND ${name})
  set_tests_properties(windows.${name} PROPERTIES LABELS windows TIMEOUT 300)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(windows.${name} PROPERTIES FIXTURES_REQUIRED wine_unit)
  endif()
endfunction()

# orv_e2e_test(<name> <script> [TIMEOUT seconds] [NO_LOCK])
# Scenarios start their own Xvfb and Wine prefix (tests/e2e/lib.sh); one runs at a time so that
# screenshots and timing are not disturbed by another scenario's full-screen drawing. NO_LOCK lets
# a long scenario that neither compares pictures nor depends on timing (the soak) run alongside.
function(orv_e2e_test name script)
  if(NOT ORV_NATIVE OR ORV_NO_CROSS)
    return()
  endif()
  cmake_parse_arguments(A "NO_LOCK" "TIMEOUT" "" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  add_test(NAME e2e.${name} COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/${script}")
  set_tests_properties(e2e.${name} PROPERTIES
    LABELS e2e TIMEOUT ${A_TIMEOUT}
    FIXTURES_REQUIRED wine_template
    ENVIRONMENT "ORV_SOURCE=${PROJECT_SOURCE_DIR};ORV_DIST=${ORV_DIST_DIR};ORV_BUILD=${CMAKE_BINARY_DIR};ORV_TEMPLATE_PREFIX=${CMAKE_BINARY_DIR}/wine/template")
  if(NOT A_NO_LOCK)
    set_tests_properties(e2e.${name} PROPERTIES RESOURCE_LOCK e2e_display)
  endif()
endfunction()
