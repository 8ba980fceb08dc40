# Tests are Windows programs run by CTest under Wine's 64-bit loader.
# Each build tree has its own Wine prefix and its own Xvfb display, both made
# ready by the `wine_env` fixture that every test requires.

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

set(TV_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# A display number of this build tree's own, so parallel build trees never share one.
string(MD5 _tv_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${_tv_hash}" 0 3 _tv_hex)
math(EXPR TV_DISPLAY_NUMBER "0x${_tv_hex} % 400 + 100")
set(TV_DISPLAY ":${TV_DISPLAY_NUMBER}")
file(WRITE ${CMAKE_BINARY_DIR}/tv-display.txt "${TV_DISPLAY_NUMBER}\n")

set(TV_TEST_ENV
  "WINEPREFIX=${TV_WINEPREFIX}"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml="
  "DISPLAY=${TV_DISPLAY}"
  "TV_BIN_DIR=${TV_BIN_DIR}"
  "TV_SOURCE_DIR=${CMAKE_SOURCE_DIR}")

add_test(NAME wine_env
  COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-env.sh ${TV_WINEPREFIX} ${TV_DISPLAY_NUMBER})
set_tests_properties(wine_env PROPERTIES FIXTURES_SETUP wine_env TIMEOUT 300)

# tv_gtest(NAME SOURCES ... [LIBS ...] [TIMEOUT s] [LABELS ...]): one GoogleTest
# program, run as one CTest test under Wine, in bin/ as its working folder.
function(tv_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${TV_BIN_DIR})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${TV_TEST_ENV}"
    FIXTURES_REQUIRED wine_env
    TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()
