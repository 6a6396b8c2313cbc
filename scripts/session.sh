# Sourced by the scripts. A private Xvfb on a free display, its pid recorded so that
# only our own server is stopped afterwards.
zentrava_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        ZENTRAVA_XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
            kill -0 "$ZENTRAVA_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$ZENTRAVA_XVFB_PID" 2>/dev/null || true
    done
    echo "could not start Xvfb" >&2
    return 1
}
zentrava_stop_xvfb() {
    [ -n "${ZENTRAVA_XVFB_PID:-}" ] && kill "$ZENTRAVA_XVFB_PID" 2>/dev/null && wait "$ZENTRAVA_XVFB_PID" 2>/dev/null
    ZENTRAVA_XVFB_PID=""
}

# A persistent wineserver for the private prefix, with Wine's own services started up front
# with no inherited output: a service started by a test would hold CTest's output pipe open
# and CTest would wait for it until the test's timeout.
zentrava_start_wine() {
    local root
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    export WINEPREFIX="${ZENTRAVA_WINEPREFIX:-$root/build/windows/wineprefix}"
    "$root/scripts/wine-prefix" || return 1
    /usr/lib/wine/wineserver -p 2>/dev/null
    "$root/scripts/wine-run" cmd /c exit </dev/null >/dev/null 2>&1
}
zentrava_stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k 2>/dev/null
    return 0
}
