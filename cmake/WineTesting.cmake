# Windows test programs run under Wine through CTest's cross-compiling
# emulator, inside a warm per-tree session (prefix, Xvfb, wineserver) that the
# "wine.session" fixture starts before the tests and stops after them.
include(GoogleTest)

set(THERMADEX_WINE_STATE ${PROJECT_BINARY_DIR}/wine)

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE _libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(THERMADEX_MINGW_RUNTIME_DIR ${_libstdcxx} DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE _pthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(THERMADEX_MINGW_PTHREAD_DIR ${_pthread} DIRECTORY)

function(_thermadex_dos_path out unix_path)
  string(REPLACE "/" "\\" _p "${unix_path}")
  set(${out} "Z:${_p}" PARENT_SCOPE)
endfunction()
_thermadex_dos_path(_p1 ${THERMADEX_MINGW_RUNTIME_DIR})
_thermadex_dos_path(_p2 ${THERMADEX_MINGW_PTHREAD_DIR})
_thermadex_dos_path(_p3 ${THERMADEX_DEPS_PREFIX}/bin)
set(THERMADEX_WINEPATH "${_p1};${_p2};${_p3}")

configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)

add_test(NAME wine.session.start COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh start ${THERMADEX_WINE_STATE})
set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP wine)
add_test(NAME wine.session.stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh stop ${THERMADEX_WINE_STATE})
set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP wine)

# One GoogleTest program per area; every test case becomes a CTest test that
# runs under the warm Wine session. FIXTURES names further CTest fixtures the
# cases need (they are added once CTest has discovered the cases, because the
# discovery cannot pass a list as a property).
function(thermadex_add_wine_tests target)
  cmake_parse_arguments(ARG "" "TIMEOUT" "FIXTURES" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT})
  if(ARG_FIXTURES)
    list(PREPEND ARG_FIXTURES wine)
    string(REPLACE ";" "\\;" fixtures "${ARG_FIXTURES}")
    set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_fixtures.cmake)
    file(WRITE ${include_file}
      "foreach(test IN LISTS ${target}_TESTS)\n"
      "  set_tests_properties(\"\${test}\" PROPERTIES FIXTURES_REQUIRED \"${ARG_FIXTURES}\")\n"
      "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
  endif()
endfunction()
