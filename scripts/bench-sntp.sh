#!/usr/bin/env bash
# How close the SNTP offset that RunSntpExchange computes comes to a known offset, on loopback
# (docs/PERFORMANCE.md, "SNTP offset accuracy"). libfaketime shifts one side's clock by a known
# amount, so the true offset (server minus us) is known:
#   (a) our probe shifted by -0.05, +0.05, -0.5 and +0.9 s against chronyd on 127.0.0.1: the
#       true offset is minus the shift;
#   (b) a second chronyd, on 127.0.2.1, shifted by +1 hour, -3 days, +5 years, and to
#       2036-03-01 (past the end of NTP era 0, so its timestamps wrap): the true offset is the
#       shift.
#   (c) the program's own worker under Wine (zentrava_sntp_win_bench: Winsock, the precise
#       system clock, the worker thread), against chronyd on the true clock and in each case of
#       (b). Wine is not run under libfaketime, so its own clock is never shifted.
# Each case runs COUNT exchanges (default 20) and prints the error (computed - true) in ms.
#
#   scripts/bench-sntp.sh [COUNT]
#
# Nothing here touches the clock: chronyd runs with -x, libfaketime fakes the time inside the
# one process it is preloaded into. Build directories: $ZENTRAVA_BENCH_BUILD (build/bench) and,
# for (c), $ZENTRAVA_BENCH_WIN_BUILD (build/windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
count=${1:-20}
build=${ZENTRAVA_BENCH_BUILD:-build/bench}
state="$root/build/bench-sntp"
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
chronyd="$root/build/tools/chrony/usr/sbin/chronyd"
python=/usr/bin/python3
[ -x "$python" ] || python=python3
export LC_ALL=C # libfaketime reads "0.05" with the locale's decimal point

scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRAVA_SANITIZE=OFF >/dev/null
cmake --build "$build" --target zentrava_sntp_probe >/dev/null
probe="$root/$build/zentrava_sntp_probe"
win_build=${ZENTRAVA_BENCH_WIN_BUILD:-build/windows}
cmake --preset windows -B "$win_build" >/dev/null
cmake --build "$win_build" --target zentrava_sntp_win_bench >/dev/null
win_probe() { # address count pause
    scripts/wine-run "$root/$win_build/zentrava_sntp_win_bench.exe" "$@" 2>/dev/null | tr -d '\r'
}
. scripts/session.sh

mkdir -p "$state"
shifted_pid=""
cleanup() {
    zentrava_stop_wine
    zentrava_stop_xvfb
    if [ -n "$shifted_pid" ]; then
        kill "$shifted_pid" 2>/dev/null || true
        wait "$shifted_pid" 2>/dev/null || true
    fi
    scripts/ntp-servers.sh stop "$state"
}
trap cleanup EXIT
scripts/ntp-servers.sh start "$state"
zentrava_start_xvfb
zentrava_start_wine

# Probe output on stdin, true offset in seconds as $1: one summary line.
summarise() {
    "$python" -c '
import statistics, sys
label, known = sys.argv[1], float(sys.argv[2])
errors, delays, failed = [], [], 0
for line in sys.stdin:
    f = line.split()
    if f[0] == "offset":
        errors.append((float(f[1]) - known) * 1000)
        delays.append(float(f[3]) * 1000)
    else:
        failed += 1
if not errors:
    print(f"{label:<36} no answers ({failed} failed)")
    sys.exit(1)
# An exchange cannot be wrong by more than half its round trip (plus rounding).
bounded = sum(abs(e) <= d / 2 + 0.001 for e, d in zip(errors, delays))
print(f"{label:<36} n={len(errors):<3} error ms: min {min(errors):+.3f} "
      f"median {statistics.median(errors):+.3f} max {max(errors):+.3f}   "
      f"delay ms: median {statistics.median(delays):.3f} max {max(delays):.3f}   "
      f"|error| <= delay/2: {bounded}/{len(errors)}   failed {failed}")
' "$1" "$2"
}

echo "== (a) our clock shifted, chronyd on 127.0.0.1 true"
for shift in -0.05 +0.05 -0.5 +0.9; do
    known=$(awk -v s="$shift" 'BEGIN {printf "%.6f", -s}')
    { LD_PRELOAD=$faketime_lib FAKETIME="$shift" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        "$probe" 127.0.0.1 "$count" 100 || true; } | summarise "client $shift s" "$known"
done

echo "== (c) under Wine, the program's worker, chronyd on 127.0.0.1 true"
{ win_probe 127.0.0.1 "$count" 100 || true; } | summarise "wine: server true" 0

echo "== (b) chronyd on 127.0.2.1 shifted, our clock true; (c) the same under Wine"
cat >"$state/shifted.conf" <<EOF
port 123
bindaddress 127.0.2.1
allow 127.0.0.0/8
local stratum 8
cmdport 0
pidfile $state/shifted-own.pid
driftfile $state/shifted.drift
EOF
era_shift=$(($(date -u -d '2036-03-01 00:00:00' +%s) - $(date -u +%s)))
for spec in "+3600:server +1 hour" "-259200:server -3 days" "+157766400:server +5 years" \
    "+$era_shift:server at 2036-03-01"; do
    shift=${spec%%:*}
    label=${spec#*:}
    rm -f "$state/shifted.drift"
    LD_PRELOAD=$faketime_lib FAKETIME="$shift" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        "$chronyd" -x -d -u root -f "$state/shifted.conf" >"$state/shifted.log" 2>&1 &
    shifted_pid=$!
    if ! "$python" tests/timesync/fake_ntp_server.py --probe 127.0.2.1 --timeout 20; then
        cat "$state/shifted.log" >&2
        exit 1
    fi
    { "$probe" 127.0.2.1 "$count" 100 || true; } | summarise "$label ($shift s)" "$shift"
    { win_probe 127.0.2.1 "$count" 100 || true; } | summarise "wine: $label" "$shift"
    kill "$shifted_pid"
    wait "$shifted_pid" 2>/dev/null || true
    shifted_pid=""
done
