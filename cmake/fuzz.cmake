# The libFuzzer build: the portable core instrumented for coverage and the sanitizers, and one
# executable per input surface under tests/fuzz. Nothing else is built, so the fuzz stage of
# scripts/test.sh costs a build of the core and four small programs.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZENTRAVA_FUZZ needs clang (libFuzzer); this is ${CMAKE_CXX_COMPILER_ID}")
endif()

# -O1: fast enough for millions of runs, and the sanitizers' reports keep their lines.
set(ZENTRAVA_FUZZ_COMMON_FLAGS -O1 -g -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(zentrava_core PRIVATE ${ZENTRAVA_FUZZ_COMMON_FLAGS}
                                             -fsanitize=fuzzer-no-link,address,undefined)

file(GLOB ZENTRAVA_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(source ${ZENTRAVA_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE ${ZENTRAVA_FUZZ_COMMON_FLAGS}
                                           -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE zentrava_core)
endforeach()
