# GoogleTest for the tests: Debian's package on Linux. mingw-w64 has no packaged GoogleTest, so a
# Windows cross-build compiles it from the sources libgtest-dev ships.
if(CMAKE_CROSSCOMPILING)
  set(KORVA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross-builds")
  if(NOT EXISTS ${KORVA_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${KORVA_GTEST_SOURCE} (tools/deps.sh windows)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Windows threads: GoogleTest needs no pthreads there.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${KORVA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Registers the tests of a GoogleTest program with CTest. Under an emulator (wine) each test is
# listed when CTest runs, not at build time, so building needs no emulator. The arguments after
# the target are gtest_discover_tests' own, and may set a longer DISCOVERY_TIMEOUT.
function(korva_add_gtests target)
  if(CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 ${ARGN})
  else()
    gtest_discover_tests(${target} ${ARGN})
  endif()
endfunction()
