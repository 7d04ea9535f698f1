# Native build: the portable core's unit tests and benchmarks.
find_package(GTest REQUIRED)

add_executable(velmora_unit_tests
    tests/unit/entry_composition_test.cpp
    tests/unit/reg_file_test.cpp
    tests/unit/error_trap_test.cpp
    tests/unit/shell_result_test.cpp
    tests/unit/save_command_test.cpp
    tests/unit/main_layout_test.cpp
    tests/unit/file_selection_test.cpp
    tests/unit/about_test.cpp
    tests/unit/sysinfo_test.cpp
)
target_include_directories(velmora_unit_tests PRIVATE tests)
target_link_libraries(velmora_unit_tests PRIVATE velmora_core GTest::gtest GTest::gtest_main GTest::gmock)
add_test(NAME unit_tests COMMAND velmora_unit_tests)

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(velmora_bench bench/composition_bench.cpp)
    target_link_libraries(velmora_bench PRIVATE velmora_core benchmark::benchmark)
else()
    message(STATUS "Google Benchmark not found: benchmarks are not built")
endif()
