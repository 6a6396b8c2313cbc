# Makes the download with cpack and unpacks it into an empty folder, as a user would, checking
# its name and that it holds exactly the program, the README and the licence.
# cmake -DCPACK=<cpack> -DBUILD_DIR=<build> -DOUT_DIR=<folder> -DVERSION=<x.y.z> -P this
foreach(var CPACK BUILD_DIR OUT_DIR VERSION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not given")
    endif()
endforeach()

file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR}/unpacked)
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()

file(GLOB archives RELATIVE ${OUT_DIR} ${OUT_DIR}/*.zip)
if(NOT archives STREQUAL "Zentrava-${VERSION}-win64.zip")
    message(FATAL_ERROR "expected Zentrava-${VERSION}-win64.zip, cpack made: ${archives}")
endif()

file(ARCHIVE_EXTRACT INPUT ${OUT_DIR}/${archives} DESTINATION ${OUT_DIR}/unpacked)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${OUT_DIR}/unpacked
     ${OUT_DIR}/unpacked/*)
list(SORT entries)
if(NOT entries STREQUAL "LICENSE;README.md;Zentrava.exe")
    message(FATAL_ERROR "the zip should hold LICENSE, README.md and Zentrava.exe, not: ${entries}")
endif()
message(STATUS "${archives} unpacked into ${OUT_DIR}/unpacked")
