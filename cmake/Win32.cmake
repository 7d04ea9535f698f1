# Win32 build: the Win32 layer, velmora.exe and the tests that run under Wine (or on Windows).
set(VELMORA_WIN32_DEFINES UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN STRICT _WIN32_WINNT=0x0A00)
target_compile_definitions(velmora_options INTERFACE ${VELMORA_WIN32_DEFINES})
if(MINGW)
    # One self-contained executable that imports only Windows' own DLLs.
    target_link_options(velmora_options INTERFACE -static)
    # The program mostly waits for the user: its size counts more than its speed. Target options
    # come after CMAKE_CXX_FLAGS_RELEASE on the command line, so this -Os wins over its -O3.
    target_compile_options(velmora_options INTERFACE $<$<CONFIG:Release>:-Os> -ffunction-sections -fdata-sections)
    target_link_options(velmora_options INTERFACE -Wl,--gc-sections)
endif()

# The windows are in the libraries too, so that the Win32 tests can open them.
add_executable(velmora WIN32
    src/app/main_win32.cpp
    src/app/velmora.rc
)
target_link_libraries(velmora PRIVATE velmora_app velmora_strict)
# The stripped release program must stay within 300 KiB (307,200 bytes; bench/startup/compare.sh
# prints its size against that budget): link-time optimisation keeps it small.
include(CheckIPOSupported)
check_ipo_supported(RESULT velmoraIpo OUTPUT velmoraIpoOutput LANGUAGES CXX)
if(velmoraIpo)
    set_property(TARGET velmora ${VELMORA_LAYERS} PROPERTY INTERPROCEDURAL_OPTIMIZATION_RELEASE ON)
    # GCC 12's partitioned LTO of the layers stops with an internal compiler error; every program
    # that links them links in one partition.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_link_options(velmora_options INTERFACE $<$<CONFIG:Release>:-flto-partition=none>)
    endif()
else()
    message(WARNING "no link-time optimisation: ${velmoraIpoOutput}")
endif()
if(MINGW)
    target_link_options(velmora PRIVATE -municode $<$<CONFIG:Release>:-s>)
elseif(MSVC)
    # The .rc embeds the manifest; the linker's own would be a second one (duplicate resource).
    target_link_options(velmora PRIVATE /MANIFEST:NO)
endif()

# GoogleTest built by the same compiler; never the host's /usr/include.
if(NOT TARGET gtest)
    set(VELMORA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VELMORA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

add_executable(velmora_win32_tests
    tests/win32/save_win32_test.cpp
    tests/win32/main_window_win32_test.cpp
    tests/win32/sysinfo_win32_test.cpp
    tests/win32/message_wait_win32_test.cpp
)
target_include_directories(velmora_win32_tests PRIVATE tests)
# Their own main: the program is also the launcher association that some tests install.
target_link_libraries(velmora_win32_tests PRIVATE velmora_app gtest)
add_dependencies(velmora_win32_tests velmora_minimal_window) # a harmless program for them to start
if(MINGW)
    target_link_options(velmora_win32_tests PRIVATE -municode)
endif()

# The user guide beside the program, built from its groff source with the main window's screenshot.
find_program(VELMORA_GROFF groff)
find_program(VELMORA_PS2PDF ps2pdf)
if(VELMORA_GROFF AND VELMORA_PS2PDF)
    set(VELMORA_HELP_PDF ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/VelmoraHelp.pdf)
    add_custom_command(OUTPUT ${VELMORA_HELP_PDF}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
        COMMAND ${CMAKE_SOURCE_DIR}/docs/build-help.sh ${VELMORA_HELP_PDF} ${CMAKE_SOURCE_DIR}/docs/main-window.png
        DEPENDS docs/help/velmora-help.ms docs/build-help.sh docs/main-window.png
        COMMENT "Building VelmoraHelp.pdf"
        VERBATIM)
    add_custom_target(velmora_help ALL DEPENDS ${VELMORA_HELP_PDF})
    add_dependencies(velmora velmora_help)
else()
    message(STATUS "groff or ghostscript is missing: VelmoraHelp.pdf is not built")
endif()

# The yardsticks of bench/startup/compare.sh: the smallest window program, and the same with
# velmora.exe's manifest, menu bar and as many controls, built without any of Velmora's code.
add_executable(velmora_minimal_window WIN32 bench/startup/minimal_window.cpp)
add_executable(velmora_minimal_controls WIN32 bench/startup/minimal_window.cpp bench/startup/minimal_controls.rc)
target_compile_definitions(velmora_minimal_controls PRIVATE MINIMAL_CONTROLS)
target_link_libraries(velmora_minimal_controls PRIVATE comctl32)
if(MSVC)
    target_link_options(velmora_minimal_controls PRIVATE /MANIFEST:NO) # its .rc has the manifest
endif()
foreach(yardstick velmora_minimal_window velmora_minimal_controls)
    target_link_libraries(${yardstick} PRIVATE velmora_options)
    if(MINGW)
        target_link_options(${yardstick} PRIVATE -municode)
    endif()
endforeach()

# A launcher that a .reg association may name, for the end-to-end tests.
add_executable(velmora_test_launcher WIN32 tests/e2e/launcher.cpp)
target_link_libraries(velmora_test_launcher PRIVATE velmora_options)
if(MINGW)
    target_link_options(velmora_test_launcher PRIVATE -municode)
endif()

# Reads another program's windows for the end-to-end tests.
add_executable(velmora_window_probe tests/e2e/window_probe.cpp)
target_link_libraries(velmora_window_probe PRIVATE velmora_options)
if(MINGW)
    target_link_options(velmora_window_probe PRIVATE -municode)
endif()

include(cmake/Package.cmake)

if(CMAKE_CROSSCOMPILING)
    include(cmake/WineTests.cmake)
else()
    add_test(NAME win32_tests COMMAND velmora_win32_tests)
endif()
