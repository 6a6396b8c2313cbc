#!/usr/bin/env bash
# CPU time an idle clock costs per minute, side by side with xclock -update 1 of the same size
# on the same kind of Xvfb. Counts the clock's process, wineserver and the X server (Wine), or
# xclock and its X server. Prints one line per case, in CPU seconds per minute.
#   bench-idle.sh [SECONDS]   (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/session.sh
seconds=${1:-60}

cpu() { # total utime+stime of the given pids, in clock ticks
    local total=0 pid
    for pid in "$@"; do
        [ -r "/proc/$pid/stat" ] || continue
        total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat")))
    done
    echo "$total"
}
per_minute() { # ticks over the measured seconds
    awk -v t="$1" -v s="$seconds" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.3f", t / hz * 60 / s}'
}

measure_zentrava() { # folder, label, Clock_Setting lines
    local label=$2 settings=$3 dir="$root/build/bench-idle/$1"
    mkdir -p "$dir"
    rm -f "$dir"/*.ini
    cp build/windows/Zentrava.exe "$dir/"
    printf '[Clock_Setting]\r\n%b' "$settings" >"$dir/Zentrava_$(id -un).ini"
    zentrava_start_xvfb
    zentrava_start_wine
    scripts/wine-run "$dir/Zentrava.exe" &
    local clock=$!
    sleep 5
    local server
    server=$(pgrep -f "wineserver64 -p0 -p" -n || true)
    local before after
    before=$(cpu "$clock" "$server" "$ZENTRAVA_XVFB_PID")
    sleep "$seconds"
    after=$(cpu "$clock" "$server" "$ZENTRAVA_XVFB_PID")
    echo "$label: $(per_minute $((after - before))) CPU s/min (clock + wineserver + Xvfb)"
    zentrava_stop_wine
    zentrava_stop_xvfb
}

measure_xclock() {
    zentrava_start_xvfb
    xclock -update 1 -geometry 128x128+200+200 &
    local clock=$!
    sleep 5
    local before after
    before=$(cpu "$clock" "$ZENTRAVA_XVFB_PID")
    sleep "$seconds"
    after=$(cpu "$clock" "$ZENTRAVA_XVFB_PID")
    echo "xclock -update 1: $(per_minute $((after - before))) CPU s/min (xclock + Xvfb)"
    kill "$clock"
    zentrava_stop_xvfb
}

cmake --preset windows >/dev/null
cmake --build --preset windows --target Zentrava >/dev/null
measure_zentrava default "Zentrava, default settings" ""
measure_zentrava smooth "Zentrava, smooth second hand" "SecondHandSmooth=1\r\n"
measure_xclock
