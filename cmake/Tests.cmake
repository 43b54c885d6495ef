# GoogleTest and its matchers (GoogleMock): Debian's packages natively, compiled from Debian's
# source package when cross-compiling.
function(q748_setup_gtest)
  if(TARGET GTest::gtest_main)
    return()
  endif()
  if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleMock's own sources do not pass the project's sign-conversion warnings; its headers reach
    # the tests as system headers.
    target_compile_options(gmock PRIVATE -w)
    # Some googletest sources define the GTest:: aliases themselves, others do not.
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
      add_library(GTest::gmock ALIAS gmock)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endfunction()

# One test executable per area, registered with CTest; CMAKE_CROSSCOMPILING_EMULATOR (Wine)
# is put in front of it by gtest_discover_tests / add_test when cross-compiling.
function(q748_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest)
  target_compile_definitions(${name} PRIVATE Q748_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
