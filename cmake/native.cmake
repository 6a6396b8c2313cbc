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
list(FILTER ZENTRAVA_NATIVE_TESTS EXCLUDE REGEX "_socket_test\\.cpp$")
add_executable(zentrava_tests ${ZENTRAVA_NATIVE_TESTS})
target_include_directories(zentrava_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_tests PRIVATE zentrava_core GTest::gtest GTest::gtest_main
                                             Threads::Threads)
gtest_discover_tests(zentrava_tests DISCOVERY_TIMEOUT 60)

# The configure-time check of MSVC's flags refuses /utf-8 beside an execution character set and
# accepts the flags the build uses.
add_test(NAME msvc_flags_refuse_utf8_with_execution_charset
         COMMAND ${CMAKE_COMMAND} "-DFLAGS=/W4;/utf-8;/execution-charset:.932"
                 -P ${CMAKE_SOURCE_DIR}/cmake/check_msvc_flags.cmake)
set_tests_properties(msvc_flags_refuse_utf8_with_execution_charset PROPERTIES WILL_FAIL TRUE)
add_test(NAME msvc_flags_of_the_build_pass
         COMMAND ${CMAKE_COMMAND}
                 "-DFLAGS=${ZENTRAVA_MSVC_FLAGS};${ZENTRAVA_MSVC_EXECUTION_CHARSET}"
                 -P ${CMAKE_SOURCE_DIR}/cmake/check_msvc_flags.cmake)

# Folders depend one way: services below features below the main window.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
add_test(NAME include_layers
         COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/check_layers.py
                 ${CMAKE_SOURCE_DIR}/src)

# Socket tests: RunSntpExchange over UDP against the loopback NTP servers.
include(${CMAKE_SOURCE_DIR}/cmake/ntp_servers.cmake)
file(GLOB_RECURSE ZENTRAVA_SOCKET_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_socket_test.cpp)
add_executable(zentrava_socket_tests ${ZENTRAVA_SOCKET_TESTS}
                                     ${CMAKE_SOURCE_DIR}/tests/timesync/posix_udp_transport.cpp)
target_include_directories(zentrava_socket_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(zentrava_socket_tests PRIVATE
    ZENTRAVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZENTRAVA_NTP_STATE_DIR="${ZENTRAVA_NTP_STATE_DIR}")
target_link_libraries(zentrava_socket_tests PRIVATE zentrava_core GTest::gtest GTest::gtest_main)
gtest_discover_tests(zentrava_socket_tests DISCOVERY_TIMEOUT 60
                     PROPERTIES ${ZENTRAVA_NTP_TEST_PROPERTIES})

# Benchmarks and the SNTP probe are built without sanitizers so that their figures mean
# something (and so that the probe runs under libfaketime's LD_PRELOAD).
set(ZENTRAVA_CORE_PLAIN_SOURCES ${ZENTRAVA_CORE_SOURCES})
add_library(zentrava_core_plain STATIC ${ZENTRAVA_CORE_PLAIN_SOURCES})
target_include_directories(zentrava_core_plain PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(zentrava_core_plain PRIVATE -O2)
target_link_libraries(zentrava_core_plain PUBLIC zentrava_warnings)

# The offset-accuracy probe of scripts/bench-sntp.sh.
add_executable(zentrava_sntp_probe ${CMAKE_SOURCE_DIR}/tests/timesync/sntp_probe_main.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/timesync/posix_udp_transport.cpp)
target_compile_options(zentrava_sntp_probe PRIVATE -O2)
target_include_directories(zentrava_sntp_probe PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_sntp_probe PRIVATE zentrava_core_plain)

find_package(benchmark QUIET)
if(benchmark_FOUND)
    file(GLOB ZENTRAVA_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*_bench.cpp)
    list(FILTER ZENTRAVA_BENCH_SOURCES EXCLUDE REGEX "_win_bench\\.cpp$")
    add_executable(zentrava_bench ${ZENTRAVA_BENCH_SOURCES})
    target_compile_options(zentrava_bench PRIVATE -O2)
    target_include_directories(zentrava_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(zentrava_bench PRIVATE zentrava_core_plain benchmark::benchmark
                                                 benchmark::benchmark_main)
endif()
