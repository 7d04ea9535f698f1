# Native build: the portable core's unit tests and benchmarks, or (VELMORA_FUZZ, clang) its fuzz target.
if(VELMORA_FUZZ)
    # The core is instrumented for coverage by the preset's flags; only the target links libFuzzer.
    add_executable(velmora_fuzz tests/fuzz/save_entry_fuzz.cpp)
    target_include_directories(velmora_fuzz PRIVATE tests)
    target_link_libraries(velmora_fuzz PRIVATE velmora_regchange)
    target_link_options(velmora_fuzz PRIVATE -fsanitize=fuzzer)
    # New inputs go to the build folder's corpus; the committed one is only read.
    set(VELMORA_FUZZ_SECONDS 10 CACHE STRING "How long the test command fuzzes")
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/corpus)
    add_test(NAME fuzz_save_entry
        COMMAND velmora_fuzz -max_total_time=${VELMORA_FUZZ_SECONDS} -print_final_stats=1
                ${CMAKE_BINARY_DIR}/corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus)
    return()
endif()

find_package(GTest REQUIRED)

add_executable(velmora_unit_tests
    tests/unit/common_test.cpp
    tests/unit/shell_test.cpp
    tests/unit/regchange_test.cpp
    tests/unit/about_test.cpp
    tests/unit/app_test.cpp
    tests/unit/transaction_test.cpp
)
target_include_directories(velmora_unit_tests PRIVATE tests)
target_link_libraries(velmora_unit_tests PRIVATE velmora_app GTest::gtest GTest::gtest_main GTest::gmock)
add_test(NAME unit_tests COMMAND velmora_unit_tests)

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(velmora_bench bench/composition_bench.cpp)
    target_link_libraries(velmora_bench PRIVATE velmora_regchange benchmark::benchmark)
else()
    message(STATUS "Google Benchmark not found: benchmarks are not built")
endif()
