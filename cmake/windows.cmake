# Windows build (mingw-w64 cross or MSVC): the program, its test build and the Win32-facing tests.
if(NOT MSVC)
    # CP932 at run time, UTF-8 in the sources; a static runtime so the exe needs nothing beside it.
    target_compile_options(zentrava_core PUBLIC -fexec-charset=CP932)
    set(ZENTRAVA_STATIC_LINK -static -static-libgcc -static-libstdc++)
else()
    target_compile_options(zentrava_core PUBLIC ${ZENTRAVA_MSVC_EXECUTION_CHARSET})
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()
target_compile_definitions(zentrava_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00
                                                WINVER=0x0A00)

set(ZENTRAVA_WIN_LIBS winmm comctl32 comdlg32 shell32 shlwapi windowscodecs ole32 uuid ws2_32
                      version gdi32 user32 advapi32 kernel32)

file(GLOB ZENTRAVA_RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*.rc)

# The version is kept in one place, project(VERSION): the resource script's version block, the
# tests and the download's name all take it from this header.
foreach(part PATCH TWEAK)
    set(ZENTRAVA_VERSION_${part} "${PROJECT_VERSION_${part}}")
    if("${ZENTRAVA_VERSION_${part}}" STREQUAL "")
        set(ZENTRAVA_VERSION_${part} 0)
    endif()
endforeach()
set(ZENTRAVA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/src/resources/zentrava_version.h.in
               ${ZENTRAVA_GENERATED_DIR}/zentrava_version.h @ONLY)
# windres writes no dependency file, so a new version would otherwise leave the old resources.
set_source_files_properties(${ZENTRAVA_RESOURCE_SCRIPTS} PROPERTIES
                            OBJECT_DEPENDS ${ZENTRAVA_GENERATED_DIR}/zentrava_version.h)

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
    target_include_directories(${name} PRIVATE ${ZENTRAVA_GENERATED_DIR})
endfunction()
zentrava_program(Zentrava zentrava_glue)
zentrava_program(Zentrava_test zentrava_glue_hooks)

# The download (cpack --preset windows): Zentrava-<version>-win64.zip with the shipped program,
# the README and the licence at its root. The exe is statically linked and needs nothing else.
install(TARGETS Zentrava RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Zentrava)
set(CPACK_PACKAGE_VENDOR "Zentrava developers")
set(CPACK_PACKAGE_FILE_NAME Zentrava-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

# The drift benchmark: the real tick under Wine or Windows.
add_executable(zentrava_drift_bench ${CMAKE_SOURCE_DIR}/tests/bench/drift_win_bench.cpp)
target_link_libraries(zentrava_drift_bench PRIVATE zentrava_glue ${ZENTRAVA_STATIC_LINK})
add_executable(zentrava_paint_bench ${CMAKE_SOURCE_DIR}/tests/bench/paint_win_bench.cpp
                                    ${CMAKE_SOURCE_DIR}/tests/app/gdi_count_win.cpp)
target_include_directories(zentrava_paint_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_paint_bench PRIVATE zentrava_glue ${ZENTRAVA_STATIC_LINK})
# The folder scan of the audio player over 11,000 files.
add_executable(zentrava_folder_scan_bench ${CMAKE_SOURCE_DIR}/tests/bench/folder_scan_win_bench.cpp)
target_include_directories(zentrava_folder_scan_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_folder_scan_bench PRIVATE zentrava_glue ${ZENTRAVA_STATIC_LINK})
# The idle-cost floor: nothing but the 50 ms multimedia timer (bench-idle.sh).
add_executable(zentrava_timer_floor_bench ${CMAKE_SOURCE_DIR}/tests/bench/timer_floor_win_bench.cpp)
target_link_libraries(zentrava_timer_floor_bench PRIVATE zentrava_warnings winmm ${ZENTRAVA_STATIC_LINK})

# The time-server worker against one server, for the offset accuracy (bench-sntp.sh). The
# shipped glue: its worker is not held to loopback, and every query leaves the clock alone.
add_executable(zentrava_sntp_win_bench ${CMAKE_SOURCE_DIR}/tests/bench/sntp_win_bench.cpp)
target_link_libraries(zentrava_sntp_win_bench PRIVATE zentrava_glue ${ZENTRAVA_STATIC_LINK})

# The audio page's apply against the settings file (written keys cost a whole-file rewrite).
add_executable(zentrava_audio_apply_bench ${CMAKE_SOURCE_DIR}/tests/bench/audio_apply_win_bench.cpp)
target_include_directories(zentrava_audio_apply_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_audio_apply_bench PRIVATE zentrava_glue ${ZENTRAVA_STATIC_LINK})

# The end-to-end driver, for scripts and for people.
file(GLOB ZENTRAVA_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
add_executable(zdriver ${ZENTRAVA_DRIVER_SOURCES}
                       ${CMAKE_SOURCE_DIR}/tests/e2e/zentrava_driver_win.cpp)
target_include_directories(zdriver PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(zdriver PRIVATE zentrava_warnings ${ZENTRAVA_WIN_LIBS}
                                      ${ZENTRAVA_STATIC_LINK})

# GoogleTest from Debian's sources, built with the cross compiler. Without them (a plain
# Windows machine) only the programs are built.
set(ZENTRAVA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${ZENTRAVA_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(STATUS "GoogleTest sources not found: building the programs only")
    return()
endif()
if(NOT TARGET gtest)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${ZENTRAVA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Win32-facing tests: one program per tests/**/*_win_test.cpp, each run once under Wine by
# CTest's emulator (a Wine start costs about a second, so cases are not started one by one).
# Shared helpers are the tests/**/*_win.cpp files.
file(GLOB_RECURSE ZENTRAVA_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_win_test.cpp)
file(GLOB_RECURSE ZENTRAVA_WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_win.cpp)
add_library(zentrava_win_test_support STATIC ${ZENTRAVA_WIN_TEST_SUPPORT})
target_include_directories(zentrava_win_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(zentrava_win_test_support PUBLIC zentrava_glue_hooks gtest gtest_main)
target_include_directories(zentrava_win_test_support PUBLIC ${ZENTRAVA_GENERATED_DIR})
target_compile_definitions(zentrava_win_test_support PUBLIC
    ZENTRAVA_BIN_DIR="$<TARGET_FILE_DIR:Zentrava>"
    ZENTRAVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
foreach(source ${ZENTRAVA_WIN_TESTS})
    get_filename_component(stem ${source} NAME_WE)
    get_filename_component(folder ${source} DIRECTORY)
    get_filename_component(folder ${folder} NAME)
    set(name ${folder}_${stem})
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE zentrava_win_test_support ${ZENTRAVA_STATIC_LINK})
    add_dependencies(${name} Zentrava Zentrava_test zdriver)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endforeach()

# The MP3 that the sound test plays is made by sox on the build machine before the test runs,
# as nothing under Wine can encode one: the test's own WAV tone, half a second of 440 Hz at
# amplitude 16000 (0.48828 of full scale).
set(ZENTRAVA_TEST_SOUND_DIR ${CMAKE_BINARY_DIR}/test_sounds)
find_program(ZENTRAVA_SOX sox)
if(ZENTRAVA_SOX)
    file(MAKE_DIRECTORY ${ZENTRAVA_TEST_SOUND_DIR})
    add_test(NAME sound_make_tone_mp3
             COMMAND ${ZENTRAVA_SOX} -n -r 22050 -c 1 ${ZENTRAVA_TEST_SOUND_DIR}/tone.mp3
                     synth 0.5 sine 440 vol 0.48828)
    set_tests_properties(sound_make_tone_mp3 PROPERTIES FIXTURES_SETUP zentrava_test_sounds)
    set_tests_properties(sound_mci_playback_win_test e2e_sounding_e2e_win_test PROPERTIES
                         FIXTURES_REQUIRED zentrava_test_sounds)
else()
    message(WARNING "sox not found: the MP3 playback test will fail (scripts/setup.sh installs it)")
endif()

# The shortcut tests make and delete links on the prefix's desktop: it must be a folder of the
# prefix, not Wine's link to the home folder.
add_test(NAME wine_real_desktop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-real-desktop)
set_tests_properties(wine_real_desktop PROPERTIES FIXTURES_SETUP zentrava_real_desktop)
foreach(name app_shortcuts_win_test e2e_general_settings_e2e_win_test)
    if(TEST ${name})
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED zentrava_real_desktop)
    endif()
endforeach()
# The shell's folder browser, first run after the desktops were replaced, opens on the desktop
# instead of the folder it is asked for (Wine 8; later runs in the same prefix are right): the
# folder chooser's test runs before the replacement.
if(TEST dialogs_folder_chooser_win_test)
    set_tests_properties(wine_real_desktop PROPERTIES DEPENDS dialogs_folder_chooser_win_test)
endif()

# The tests that query the loopback NTP servers over Winsock.
include(${CMAKE_SOURCE_DIR}/cmake/ntp_servers.cmake)
foreach(name timesync_sntp_winsock_win_test e2e_time_sync_e2e_win_test
             e2e_time_server_page_e2e_win_test e2e_soak_e2e_win_test)
    if(TEST ${name})
        set_tests_properties(${name} PROPERTIES ${ZENTRAVA_NTP_TEST_PROPERTIES})
    endif()
endforeach()

# The download as a user gets it: cpack makes the zip, which is unpacked into an empty folder
# (cmake/check_package.cmake); the end-to-end test then starts the exe found there.
add_test(NAME package_zip
         COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                 -DOUT_DIR=${CMAKE_BINARY_DIR}/package_check -DVERSION=${PROJECT_VERSION}
                 -P ${CMAKE_SOURCE_DIR}/cmake/check_package.cmake)
set_tests_properties(package_zip PROPERTIES FIXTURES_SETUP zentrava_package TIMEOUT 120)
set_tests_properties(e2e_download_e2e_win_test PROPERTIES FIXTURES_REQUIRED zentrava_package)
