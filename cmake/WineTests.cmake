# Under Wine the tests share one throwaway prefix inside the build folder, with a persistent
# wineserver that the first test starts and the last one stops (an idle server would otherwise
# hold ctest's output pipe open for seconds after every test).
set(VELMORA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix of the tests")
set(VELMORA_WINE_ENV WINEPREFIX=${VELMORA_WINEPREFIX} WINEDEBUG=-all)

add_test(NAME wine_prefix_up COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh up ${VELMORA_WINEPREFIX})
add_test(NAME wine_prefix_down COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh down ${VELMORA_WINEPREFIX})
set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine)

function(velmora_wine_test name)
    add_test(NAME ${name} COMMAND ${ARGN})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${VELMORA_WINE_ENV}" TIMEOUT 300)
endfunction()

velmora_wine_test(win32_tests velmora_win32_tests --gtest_filter=-*/DiskFull*)

# A second build of the same sources (the mingw-clang preset) runs the Win32 tests alone.
option(VELMORA_WINE_FULL_TESTS "Also the full-disk test (needs root) and the end-to-end tests (need X)" ON)
if(NOT VELMORA_WINE_FULL_TESTS)
    return()
endif()

# The full disk is a small tmpfs that the wrapper mounts (and always unmounts) under the build folder.
velmora_wine_test(win32_disk_full_tests bash ${CMAKE_SOURCE_DIR}/tests/win32/with_small_disk.sh
    ${CMAKE_BINARY_DIR}/small-disk $<TARGET_FILE:velmora_win32_tests> --gtest_filter=*/DiskFull*)
# It must really run: a skipped or vanished test fails.
set_tests_properties(win32_disk_full_tests PROPERTIES FAIL_REGULAR_EXPRESSION "SKIPPED;\\] 0 tests")

# End to end: the real velmora.exe driven with xdotool on the X display that the test command
# provides; one at a time, since they share the keyboard focus. One session runs the scenarios at
# 96 dpi, the other starts the program at 144 dpi.
function(velmora_e2e_test name)
    add_test(NAME e2e_${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${name}_test.sh)
    set_tests_properties(e2e_${name} PROPERTIES
        FIXTURES_REQUIRED wine
        RESOURCE_LOCK display
        TIMEOUT 120
        ENVIRONMENT "${VELMORA_WINE_ENV};VELMORA_EXE=$<TARGET_FILE:velmora>;PROBE_EXE=$<TARGET_FILE:velmora_window_probe>;LAUNCHER_EXE=$<TARGET_FILE:velmora_test_launcher>")
endfunction()

velmora_e2e_test(session)
velmora_e2e_test(dpi)
velmora_e2e_test(exit)
