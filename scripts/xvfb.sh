# Sourced by the scripts: starts a private Xvfb on a free display and records its pid, so that
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
