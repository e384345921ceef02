# The test domain CORP.TEST (see testenv/domain/README.md). A test that needs
# it requires the fixture "domain" and runs through SUITE_DOMAIN_CLIENT_RUN:
#   suite_add_test(NAME TARGET RUNNER ${SUITE_DOMAIN_CLIENT_RUN} --
#                  FIXTURES domain)
set(SUITE_DOMAIN_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SUITE_DOMAIN_CLIENT_RUN ${SUITE_DOMAIN_DIR}/client-run)
suite_add_fixture(domain SETUP ${SUITE_DOMAIN_DIR}/up CLEANUP ${SUITE_DOMAIN_DIR}/down)
add_test(NAME domain.smoke COMMAND ${SUITE_DOMAIN_CLIENT_RUN} -- ${SUITE_DOMAIN_DIR}/smoke)
set_tests_properties(domain.smoke PROPERTIES
  FIXTURES_REQUIRED domain RESOURCE_LOCK domain ENVIRONMENT "${SUITE_TEST_ENVIRONMENT}" TIMEOUT 600)

# suite_add_domain_test(NAME TARGET [AS admin|user|none] [ARGS arg...])
# A test run in the client workstation with the administrator's ticket (or
# the ordinary user's, or none). Domain tests change accounts, so they run one
# at a time.
function(suite_add_domain_test name target)
  cmake_parse_arguments(ARG "" "AS" "ARGS" ${ARGN})
  if(NOT ARG_AS)
    set(ARG_AS admin)
  endif()
  suite_add_test(${name} ${target} RUNNER ${SUITE_DOMAIN_CLIENT_RUN} --as ${ARG_AS} --
                 FIXTURES domain ARGS ${ARG_ARGS})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK domain)
endfunction()
