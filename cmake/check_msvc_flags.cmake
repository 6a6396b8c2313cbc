# Script mode: cmake -DFLAGS="<flag>;<flag>" -P check_msvc_flags.cmake fails exactly when the
# configuration would.
include(${CMAKE_CURRENT_LIST_DIR}/msvc_flags.cmake)
zentrava_check_msvc_flags(${FLAGS})
