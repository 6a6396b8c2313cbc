#!/usr/bin/env bash
# Builds Zentrava.exe and starts it under Wine. With a display it runs there until you close
# the clock; without one it runs on a private Xvfb, saves a screenshot and prints its path.
# --keep SECONDS: on Xvfb, leave the clock running that long before closing it (default 5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/session.sh
keep=5
[ "${1:-}" = "--keep" ] && keep=${2:-5}

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Zentrava zdriver
scripts/wine-prefix

run_dir="$root/build/run"
mkdir -p "$run_dir"
cp build/windows/Zentrava.exe "$run_dir/"

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting Zentrava on $DISPLAY (settings in $run_dir)"
    # A person is listening: the sound goes to the machine's own output, not the test capture.
    ZENTRAVA_CAPTURE_AUDIO=0 exec scripts/wine-run "$run_dir/Zentrava.exe"
fi

trap 'zentrava_stop_wine; zentrava_stop_xvfb' EXIT
zentrava_start_xvfb
zentrava_start_wine
scripts/wine-run build/windows/zdriver.exe launch "$(scripts/wine-run winepath -w "$run_dir/Zentrava.exe" 2>/dev/null)" \
    --wait-window --sleep "$keep" --screenshot "$(scripts/wine-run winepath -w "$run_dir/screenshot.bmp" 2>/dev/null)" --close
convert "$run_dir/screenshot.bmp" "$run_dir/screenshot.png"
echo "Screenshot: $run_dir/screenshot.png"
