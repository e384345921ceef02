# Tests that touch the network, a name service or /etc run inside a fresh
# network and mount namespace with the test's own /etc files (testenv/nsrun),
# or inside a namespace of a test environment (RUNNER), never on the host.
set(SUITE_NSRUN ${PROJECT_SOURCE_DIR}/testenv/nsrun)
set(SUITE_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "ASAN_OPTIONS=detect_leaks=1"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# suite_add_test(NAME TARGET [NAMESPACE [ETC dir] [HOSTNAME name]]
#                [RUNNER command...] [FIXTURES fixture...] [ARGS arg...])
#   NAMESPACE  run through testenv/nsrun, with the files of ETC laid over /etc
#   RUNNER     run through this command instead (a test environment's own runner)
#   FIXTURES   test environments (suite_add_fixture) that must be up
function(suite_add_test name target)
  cmake_parse_arguments(ARG "NAMESPACE" "ETC;HOSTNAME" "RUNNER;FIXTURES;ARGS" ${ARGN})
  set(cmd $<TARGET_FILE:${target}> ${ARG_ARGS})
  if(ARG_NAMESPACE)
    set(prefix ${SUITE_NSRUN})
    if(ARG_ETC)
      list(APPEND prefix --etc ${ARG_ETC})
    endif()
    if(ARG_HOSTNAME)
      list(APPEND prefix --hostname ${ARG_HOSTNAME})
    endif()
    set(cmd ${prefix} -- ${cmd})
  elseif(ARG_RUNNER)
    set(cmd ${ARG_RUNNER} ${cmd})
  endif()
  add_test(NAME ${name} COMMAND ${cmd})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${SUITE_TEST_ENVIRONMENT}" TIMEOUT 600)
  if(ARG_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${ARG_FIXTURES}")
  endif()
endfunction()

# suite_add_fixture(NAME SETUP command... CLEANUP command...)
# A test environment that CTest brings up before the tests that require it
# and takes down after the last of them, also when one fails.
function(suite_add_fixture name)
  cmake_parse_arguments(ARG "" "" "SETUP;CLEANUP" ${ARGN})
  add_test(NAME ${name}.up COMMAND ${ARG_SETUP})
  add_test(NAME ${name}.down COMMAND ${ARG_CLEANUP})
  set_tests_properties(${name}.up PROPERTIES FIXTURES_SETUP ${name} TIMEOUT 300)
  set_tests_properties(${name}.down PROPERTIES FIXTURES_CLEANUP ${name} TIMEOUT 120)
endfunction()

# A program: its executable, desktop entry and icon.
function(suite_install_program exe)
  install(TARGETS ${exe} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${exe}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${exe}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endfunction()

# suite_qt_test_main(target "Title"): a widget test with GoogleTest and a
# QApplication on the offscreen platform, titled as the program under test.
function(suite_qt_test_main target title)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/ui/tests/support/qtest_main.cpp)
  target_compile_definitions(${target} PRIVATE SUITE_APP_TITLE="${title}")
  target_link_libraries(${target} PRIVATE ui_testsupport)
endfunction()
