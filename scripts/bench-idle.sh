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

our_wineserver() { # the wineserver of this prefix, not one another session runs
    local pid
    for pid in $(pgrep -f wineserver || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return
        fi
    done
}

measure_wine() { # folder, label, exe, Clock_Setting lines, [program argument]
    local label=$2 exe=$3 settings=$4 argument=${5:-} dir="$root/build/bench-idle/$1"
    mkdir -p "$dir"
    rm -f "$dir"/*.ini
    cp "build/windows/$exe" "$dir/"
    # The time server stays out of it: a query is no part of the idle cost, and a benchmark
    # has no business asking a public server.
    printf '[Clock_Setting]\r\n%b[NTP_Setting]\r\nNTPStartUpTimeAdjust=0\r\nNTPAutoUpdate=0\r\n' \
        "$settings" >"$dir/Zentrava_$(id -un).ini"
    zentrava_start_xvfb
    zentrava_start_wine
    scripts/wine-run "$dir/$exe" $argument &
    local clock=$!
    sleep 5
    local server
    server=$(our_wineserver)
    local before after
    before=$(cpu "$clock" "$server" "$ZENTRAVA_XVFB_PID")
    sleep "$seconds"
    after=$(cpu "$clock" "$server" "$ZENTRAVA_XVFB_PID")
    echo "$label: $(per_minute $((after - before))) CPU s/min (program + wineserver + Xvfb)"
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
cmake --build --preset windows --target Zentrava zentrava_timer_floor_bench >/dev/null
measure_wine default "Zentrava, default settings" Zentrava.exe ""
measure_wine smooth "Zentrava, smooth second hand" Zentrava.exe "SecondHandSmooth=1\r\n"
measure_wine floor "50 ms multimedia timer alone" zentrava_timer_floor_bench.exe ""
measure_wine idle "A Wine program doing nothing" zentrava_timer_floor_bench.exe "" --idle
measure_xclock
