# MSVC's flags for our own targets. The sources are UTF-8 and the program's texts are CP932 at
# run time, so the source and execution character sets are named apart. /utf-8 is shorthand for
# /source-charset:utf-8 /execution-charset:utf-8, and cl refuses it beside any other
# /execution-charset (D8016).
set(ZENTRAVA_MSVC_FLAGS /W4 /WX /permissive- /source-charset:utf-8)
set(ZENTRAVA_MSVC_EXECUTION_CHARSET /execution-charset:.932)
# The C runtime's fopen, sprintf and the like are used with their sizes checked; their
# deprecation warning (C4996) must not become an error under /WX.
set(ZENTRAVA_MSVC_DEFINITIONS _CRT_SECURE_NO_WARNINGS)

# Fails the configuration when the flags hold both /utf-8 and an execution character set.
function(zentrava_check_msvc_flags)
    set(utf8 FALSE)
    set(execution FALSE)
    foreach(flag IN LISTS ARGN)
        if(flag MATCHES "^[/-]utf-8$")
            set(utf8 TRUE)
        elseif(flag MATCHES "^[/-]execution-charset:")
            set(execution TRUE)
        endif()
    endforeach()
    if(utf8 AND execution)
        message(FATAL_ERROR "MSVC flags hold both /utf-8 and /execution-charset (cl error D8016): "
                            "use /source-charset:utf-8 with the execution character set.")
    endif()
endfunction()
