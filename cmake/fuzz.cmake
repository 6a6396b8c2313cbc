# The libFuzzer build: the portable core instrumented for coverage and the sanitizers, and one
# executable per input surface under tests/fuzz. Nothing else is built, so the fuzz stage of
# scripts/test.sh costs a build of the core and four small programs.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZENTRAVA_FUZZ needs clang (libFuzzer); this is ${CMAKE_CXX_COMPILER_ID}")
endif()

# -O2 with -g: millions of runs want the speed, and the sanitizers' reports still name lines.
# The library's own checks catch an index past a container's end even without ASan, which the
# long runs leave out, with the comparison tracing, for four times the executions
# (scripts/fuzz.sh --fast).
set(ZENTRAVA_FUZZ_COMMON_FLAGS -O2 -g -fno-omit-frame-pointer -fno-sanitize-recover=all
                               -D_GLIBCXX_ASSERTIONS)
set(ZENTRAVA_FUZZ_SANITIZERS "address,undefined" CACHE STRING "Sanitizers beside libFuzzer")
option(ZENTRAVA_FUZZ_TRACE_CMP "Trace the core's comparisons to steer mutations" ON)
if(NOT ZENTRAVA_FUZZ_TRACE_CMP)
    list(APPEND ZENTRAVA_FUZZ_COMMON_FLAGS -fno-sanitize-coverage=trace-cmp)
endif()
target_compile_options(zentrava_core PRIVATE ${ZENTRAVA_FUZZ_COMMON_FLAGS}
                                             -fsanitize=fuzzer-no-link,${ZENTRAVA_FUZZ_SANITIZERS})

file(GLOB ZENTRAVA_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(source ${ZENTRAVA_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    # The targets' own comparisons (their fake stores, their checks) say nothing about the code
    # under test, whose comparisons alone are traced to steer the mutations.
    target_compile_options(${name} PRIVATE ${ZENTRAVA_FUZZ_COMMON_FLAGS}
                                           -fsanitize=fuzzer,${ZENTRAVA_FUZZ_SANITIZERS}
                                           -fno-sanitize-coverage=trace-cmp)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,${ZENTRAVA_FUZZ_SANITIZERS})
    target_link_libraries(${name} PRIVATE zentrava_core)
endforeach()
