#!/usr/bin/env bash
# The soak in full: the test build through a whole simulated day (1,728,000 ticks) with every
# feature on, in its own Xvfb and Wine session, with the loopback time servers it talks to.
# Prints the test's figures (samples of GDI, USER, handles and private bytes; alarms and chimes
# due and fired; real duration). Builds nothing: run the windows build first.
#   soak.sh [HOURS]   (default 24)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/session.sh
hours=${1:-24}
state="$root/build/windows/ntp-servers-soak"

cleanup() {
    scripts/ntp-servers.sh stop "$state" || true
    zentrava_stop_wine
    zentrava_stop_xvfb
}
trap cleanup EXIT
zentrava_start_xvfb
zentrava_start_wine
scripts/ntp-servers.sh start "$state"
started=$(date +%s)
status=0
ZENTRAVA_SOAK_HOURS=$hours scripts/wine-run build/windows/e2e_soak_e2e_win_test.exe || status=$?
echo "soak.sh: ${hours} simulated hours in $(($(date +%s) - started)) s real, exit $status"
exit "$status"
