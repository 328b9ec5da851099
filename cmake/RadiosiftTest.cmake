# radiosift_add_test(NAME SOURCES ... LIBS ...): one GoogleTest executable, registered with
# CTest test by test, running on Qt's offscreen platform.
include(GoogleTest)

function(radiosift_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} radiosift_test_support GTest::gtest radiosift_flags)
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
    DISCOVERY_TIMEOUT 60)
endfunction()
