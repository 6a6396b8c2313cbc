#!/usr/bin/env bash
# Paints the face in each dial mode and each hand design at 10:08:30 and saves the pictures
# shown in the README (docs/images/*.png). Uses the test build's hooks under Wine on Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/session.sh

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Zentrava_test zdriver >/dev/null
trap 'zentrava_stop_wine; zentrava_stop_xvfb' EXIT
zentrava_start_xvfb
zentrava_start_wine

work="$root/build/screens"
mkdir -p "$work" docs/images
winpath() { scripts/wine-run winepath -w "$1" 2>/dev/null; }

shoot() { # name, Clock_Setting lines
    local name=$1 settings=$2
    printf '[Window_Position]\r\nWindow_Width=200\r\nWindow_Height=200\r\n[Clock_Setting]\r\n%b' \
        "$settings" >"$work/$name.ini"
    scripts/wine-run build/windows/zdriver.exe launch "$(winpath build/windows/Zentrava_test.exe)" \
        --ini "$(winpath "$work/$name.ini")" --wait-window \
        --load-clocks "2024-06-01 10:08:30.000" --sleep 1.2 \
        --back-buffer "$(winpath "$work/$name.bmp")" --close >/dev/null
    convert "$work/$name.bmp" "docs/images/$name.png"
    echo "docs/images/$name.png"
}

shoot dial-12h '12H_24H_Setting=0\r\n'
shoot dial-24h '12H_24H_Setting=1\r\n'
shoot dial-12h-24h '12H_24H_Setting=2\r\n'
shoot hands-design-0 'ClockHandDesign=0\r\n'
shoot hands-design-1 'ClockHandDesign=1\r\n'
shoot hands-design-2 'ClockHandDesign=2\r\n'
