#!/usr/bin/env bash
# Runs the benchmarks recorded in docs/PERFORMANCE.md:
#   native: one AdvanceClocks and one full tick (Google Benchmark, no sanitizers);
#   Wine:   the clock's drift against the system clock while two busy loops load both cores,
#           and after the window thread was held for 3 s and for 60 s; the paint time of one
#           face frame, and of the turning background photograph (its decoding, frames and
#           size changes); the audio page's apply; the audio player's folder scan of
#           11,000 files; the idle clock's CPU time per minute beside xclock.
# --quick runs the drift for 60 s instead of 10 minutes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/session.sh
run_seconds=600
[ "${1:-}" = "--quick" ] && run_seconds=60

scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRAVA_SANITIZE=OFF >/dev/null
cmake --build build/bench --target zentrava_bench >/dev/null
build/bench/zentrava_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

cmake --preset windows >/dev/null
cmake --build --preset windows --target zentrava_drift_bench zentrava_paint_bench \
    zentrava_audio_apply_bench >/dev/null
    zentrava_folder_scan_bench >/dev/null
busy=()
cleanup() {
    for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
    zentrava_stop_wine
    zentrava_stop_xvfb
}
trap cleanup EXIT
zentrava_start_xvfb
zentrava_start_wine
for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=($!)
done
scripts/wine-run build/windows/zentrava_drift_bench.exe "$run_seconds" 3
scripts/wine-run build/windows/zentrava_drift_bench.exe 10 60
for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
busy=()
scripts/wine-run build/windows/zentrava_paint_bench.exe
scripts/wine-run build/windows/zentrava_audio_apply_bench.exe
scripts/wine-run build/windows/zentrava_folder_scan_bench.exe
zentrava_stop_wine
zentrava_stop_xvfb
scripts/bench-idle.sh 60
