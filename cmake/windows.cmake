# Windows build (mingw-w64 cross or MSVC): the program, its test build and the Win32-facing tests.
if(NOT MSVC)
    # CP932 at run time, UTF-8 in the sources; a static runtime so the exe needs nothing beside it.
    target_compile_options(zentrava_core PUBLIC -fexec-charset=CP932)
    set(ZENTRAVA_STATIC_LINK -static -static-libgcc -static-libstdc++)
else()
    target_compile_options(zentrava_core PUBLIC /execution-charset:.932)
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()
target_compile_definitions(zentrava_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00
                                                WINVER=0x0A00)

set(ZENTRAVA_WIN_LIBS winmm comctl32 comdlg32 shell32 shlwapi ole32 ws2_32 version gdi32 user32
                      advapi32 kernel32)

file(GLOB ZENTRAVA_RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*.rc)

# The glue once for the shipped program and once with the test hooks compiled in.
function(zentrava_glue name hooks)
    add_library(${name} STATIC ${ZENTRAVA_GLUE_SOURCES})
    target_link_libraries(${name} PUBLIC zentrava_core ${ZENTRAVA_WIN_LIBS})
    target_compile_definitions(${name} PUBLIC ZENTRAVA_TEST_HOOKS=${hooks})
endfunction()
zentrava_glue(zentrava_glue 0)
zentrava_glue(zentrava_glue_hooks 1)

function(zentrava_program name glue)
    add_executable(${name} WIN32 ${CMAKE_SOURCE_DIR}/src/app/main_win.cpp
                                 ${ZENTRAVA_RESOURCE_SCRIPTS})
    target_link_libraries(${name} PRIVATE ${glue} ${ZENTRAVA_STATIC_LINK})
endfunction()
zentrava_program(Zentrava zentrava_glue)
zentrava_program(Zentrava_test zentrava_glue_hooks)

# GoogleTest from Debian's sources, built with the cross compiler. Without them (a plain
# Windows machine) only the two programs are built.
set(ZENTRAVA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${ZENTRAVA_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(STATUS "GoogleTest sources not found: building the program only")
    return()
endif()
if(NOT TARGET gtest)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${ZENTRAVA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Win32-facing tests: tests/**/*_win_test.cpp, run under Wine by CTest's emulator.
file(GLOB_RECURSE ZENTRAVA_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_win_test.cpp)
file(GLOB_RECURSE ZENTRAVA_WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_win.cpp)
add_executable(zentrava_win_tests ${ZENTRAVA_WIN_TESTS} ${ZENTRAVA_WIN_TEST_SUPPORT})
target_include_directories(zentrava_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_win_tests PRIVATE zentrava_glue_hooks gtest gtest_main
                                                 ${ZENTRAVA_STATIC_LINK})
add_dependencies(zentrava_win_tests Zentrava Zentrava_test zdriver)
target_compile_definitions(zentrava_win_tests PRIVATE
    ZENTRAVA_BIN_DIR="$<TARGET_FILE_DIR:Zentrava>"
    ZENTRAVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(zentrava_win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES TIMEOUT 180)

# The end-to-end driver, for scripts and for people.
file(GLOB ZENTRAVA_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
add_executable(zdriver ${ZENTRAVA_DRIVER_SOURCES})
target_include_directories(zdriver PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(zdriver PRIVATE zentrava_warnings ${ZENTRAVA_WIN_LIBS} ${ZENTRAVA_STATIC_LINK})
