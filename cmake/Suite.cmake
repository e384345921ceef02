# Tests that touch the network, a name service or /etc run inside a fresh
# network and mount namespace with the test's own /etc files.
set(SUITE_NSRUN ${PROJECT_SOURCE_DIR}/testenv/nsrun)

# suite_add_test(NAME target [ETC dir] [HOSTNAME name] [NAMESPACE])
function(suite_add_test name target)
  cmake_parse_arguments(ARG "NAMESPACE" "ETC;HOSTNAME" "" ${ARGN})
  set(cmd $<TARGET_FILE:${target}>)
  if(ARG_NAMESPACE)
    set(prefix ${SUITE_NSRUN})
    if(ARG_ETC)
      list(APPEND prefix --etc ${ARG_ETC})
    endif()
    if(ARG_HOSTNAME)
      list(APPEND prefix --hostname ${ARG_HOSTNAME})
    endif()
    set(cmd ${prefix} -- ${cmd})
  endif()
  add_test(NAME ${name} COMMAND ${cmd})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 300)
endfunction()

# A program: one static library of its folder plus a thin main.
function(suite_install_program exe)
  install(TARGETS ${exe} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${exe}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${exe}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endfunction()

# suite_qt_test_main(target "Title"): a widget test with GoogleTest and a QApplication.
function(suite_qt_test_main target title)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/ui/tests/support/qtest_main.cpp)
  target_compile_definitions(${target} PRIVATE SUITE_APP_TITLE="${title}")
  target_link_libraries(${target} PRIVATE ui_testsupport)
endfunction()
