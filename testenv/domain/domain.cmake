# The test domain CORP.TEST (see testenv/domain/README.md). A test that needs
# it requires the fixture "domain" and runs through SUITE_DOMAIN_CLIENT_RUN:
#   suite_add_test(NAME TARGET RUNNER ${SUITE_DOMAIN_CLIENT_RUN} --
#                  FIXTURES domain)
set(SUITE_DOMAIN_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SUITE_DOMAIN_CLIENT_RUN ${SUITE_DOMAIN_DIR}/client-run)
suite_add_fixture(domain SETUP ${SUITE_DOMAIN_DIR}/up CLEANUP ${SUITE_DOMAIN_DIR}/down)
add_test(NAME domain.smoke COMMAND ${SUITE_DOMAIN_CLIENT_RUN} -- ${SUITE_DOMAIN_DIR}/smoke)
set_tests_properties(domain.smoke PROPERTIES
  FIXTURES_REQUIRED domain ENVIRONMENT "${SUITE_TEST_ENVIRONMENT}" TIMEOUT 600)
