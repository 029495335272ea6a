# Runs the Windows build's test programs under Wine (wine.sh), in one prefix inside the build
# folder, made by the first test and never the user's own ~/.wine. Included by tests/ before
# any test program is made, so that every add_test of a program runs it through Wine.
set(brightwell_wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
set(brightwell_wine_run bash ${CMAKE_CURRENT_LIST_DIR}/wine.sh ${brightwell_wine_prefix})
# Qt programs are started through qt_env.exe, which hands them the QT_* settings (wine.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${brightwell_wine_run} qt)
# A path of the build machine as a Windows program under Wine names it: Wine's Z: drive is the
# machine's root.
set(brightwell_host_root "Z:")

add_test(NAME windows.wine_prefix COMMAND ${brightwell_wine_run} boot)
set_tests_properties(windows.wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300 LABELS wine)

# Every test of the Windows build needs the prefix, and waits its turn for it: one Wine server
# serves one prefix, and each test waits for every Wine process to end. Called at the end of
# each folder that adds tests, for the tests of that folder.
function(brightwell_run_under_wine)
  get_property(tests DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTY TESTS)
  foreach(test IN LISTS tests)
    if(test STREQUAL "windows.wine_prefix")
      continue()
    endif()
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
    set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK wine_prefix)
    set_property(TEST ${test} APPEND PROPERTY LABELS wine)
  endforeach()
endfunction()
