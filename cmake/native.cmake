# Native Linux build: the portable core, its unit tests and its benchmarks.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

if(ZENTRAVA_SANITIZE)
    set(ZENTRAVA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                                 -fno-omit-frame-pointer)
    target_compile_options(zentrava_core PUBLIC ${ZENTRAVA_SANITIZER_FLAGS})
    target_link_options(zentrava_core PUBLIC ${ZENTRAVA_SANITIZER_FLAGS})
endif()

file(GLOB_RECURSE ZENTRAVA_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
list(FILTER ZENTRAVA_NATIVE_TESTS EXCLUDE REGEX "_win_test\\.cpp$")
add_executable(zentrava_tests ${ZENTRAVA_NATIVE_TESTS})
target_include_directories(zentrava_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_tests PRIVATE zentrava_core GTest::gtest GTest::gtest_main
                                             Threads::Threads)
gtest_discover_tests(zentrava_tests DISCOVERY_TIMEOUT 60)

# Benchmarks are built without sanitizers so that their figures mean something.
find_package(benchmark QUIET)
if(benchmark_FOUND)
    set(ZENTRAVA_CORE_PLAIN_SOURCES ${ZENTRAVA_CORE_SOURCES})
    add_library(zentrava_core_plain STATIC ${ZENTRAVA_CORE_PLAIN_SOURCES})
    target_include_directories(zentrava_core_plain PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(zentrava_core_plain PRIVATE -O2)
    target_link_libraries(zentrava_core_plain PUBLIC zentrava_warnings)
    file(GLOB ZENTRAVA_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*_bench.cpp)
    list(FILTER ZENTRAVA_BENCH_SOURCES EXCLUDE REGEX "_win_bench\\.cpp$")
    add_executable(zentrava_bench ${ZENTRAVA_BENCH_SOURCES})
    target_compile_options(zentrava_bench PRIVATE -O2)
    target_include_directories(zentrava_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(zentrava_bench PRIVATE zentrava_core_plain benchmark::benchmark
                                                 benchmark::benchmark_main)
endif()
