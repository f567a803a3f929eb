# Included by CTest after the discovered app_update_tests are defined: every
# one of them runs in the Wine session and talks to the local update host.
foreach(test IN LISTS app_update_tests_TESTS)
  set_tests_properties("${test}" PROPERTIES FIXTURES_REQUIRED "wine;update_server")
endforeach()
