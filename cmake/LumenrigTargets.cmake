# Helpers shared by the subsystem folders.
#
# lumenrig_library(<name> SOURCES ... [WIN32_SOURCES ...] [LIBS ...])
#   A static library; WIN32_SOURCES are added only to Windows builds.
# lumenrig_test(<name> SOURCES ... [LIBS ...])
#   One GoogleTest executable, registered as one ctest entry. Every run writes
#   its results as XML into <build>/test-results, which scripts/test counts.
#   Under a cross build ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (wine).

# Where test programs write their XML, as the test program sees the path: under wine a path
# without a drive is taken as relative, so cross builds name it through Z:, the Linux root.
# A test registered with its own add_test passes --gtest_output=xml:${LUMENRIG_TEST_RESULTS}/<name>.xml.
set(LUMENRIG_TEST_RESULTS ${CMAKE_BINARY_DIR}/test-results)
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(LUMENRIG_TEST_RESULTS Z:${LUMENRIG_TEST_RESULTS})
endif()

function(lumenrig_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;WIN32_SOURCES;LIBS" ${ARGN})
  set(sources ${ARG_SOURCES})
  if(WIN32)
    list(APPEND sources ${ARG_WIN32_SOURCES})
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

function(lumenrig_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${LUMENRIG_TEST_RESULTS}/${name}.xml)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
