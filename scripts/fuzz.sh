#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, ASan+UBSan) and runs each on a copy of its
# seed corpus in a temporary folder, so the seeds in the tree never change.
#
#   scripts/fuzz.sh [--seconds N | --runs N] [--keep DIR] [--fast] [target...]
#
# --seconds N  each target for N seconds (default 5; what CI runs)
# --runs N     each target for N executions (the long run recorded in docs/PERFORMANCE.md);
#              with --seconds as well, whichever comes first
# --keep DIR   start from DIR/<target> as well as the seeds, leave the grown corpus there and the
#              run's log in DIR/<target>.log, so that a long run can go on where one stopped
# --fast       UBSan and the library's assertions, without ASan and without tracing comparisons
#              (build/fuzz-fast): about four times the executions, for the ten-million runs that
#              go on from a corpus grown by the full build; CI runs the full build
# One line per target: name, executions, executions per second, corpus files at the end, and
# "clean" or the finding. A finding's input is kept under build/fuzz/findings and the exit status
# is non-zero. Installs nothing: scripts/setup.sh does.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

limit=()
keep=""
fast=0
targets=()
while (($#)); do
    case "$1" in
    --seconds) limit+=(-max_total_time="$2"); shift 2 ;;
    --runs) limit+=(-runs="$2"); shift 2 ;;
    --keep) keep="$2"; shift 2 ;;
    --fast) fast=1; shift ;;
    -h | --help) sed -n '2,17p' "$0"; exit 0 ;;
    *) targets+=("$1"); shift ;;
    esac
done
((${#limit[@]})) || limit=(-max_total_time=5)
if ((${#targets[@]} == 0)); then
    for f in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
    export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi
mkdir -p build
bin=build/fuzz
configure=(--preset fuzz)
((fast)) && bin=build/fuzz-fast &&
    configure+=(-B "$bin" -DZENTRAVA_FUZZ_SANITIZERS=undefined -DZENTRAVA_FUZZ_TRACE_CMP=OFF)
if ! { cmake "${configure[@]}" >build/fuzz-configure.log 2>&1 &&
    cmake --build "$bin" -- "${targets[@]}" >build/fuzz-build.log 2>&1; }; then
    tail -n 20 build/fuzz-configure.log build/fuzz-build.log
    echo "fuzz build failed"
    exit 2
fi

# Longest input per target: each reads what it needs from the front, and longer inputs only cost
# time (the settings store reads a whole file per input).
max_len() {
    case "$1" in
    fuzz_sntp_answer) echo 1400 ;;
    fuzz_settings_file) echo 1024 ;;
    fuzz_cp932_text) echo 600 ;;
    *) echo 4096 ;;
    esac
}

work=$(mktemp -d "${TMPDIR:-/tmp}/zentrava-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
findings="$root/build/fuzz/findings"
mkdir -p "$findings"
status=0
for t in "${targets[@]}"; do
    corpus="$work/$t"
    mkdir -p "$corpus"
    cp tests/fuzz/corpus/"$t"/* "$corpus"/ 2>/dev/null
    [ -n "$keep" ] && cp "$keep/$t"/* "$corpus"/ 2>/dev/null
    log="${keep:-$work}/$t.log"
    mkdir -p "$(dirname "$log")"
    "$bin/$t" "${limit[@]}" -max_len="$(max_len "$t")" -timeout=60 -print_final_stats=1 \
        -artifact_prefix="$findings/$t-" "$corpus" >"$log" 2>&1
    rc=$?
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n 1)
    speed=$(sed -nE 's/^stat::average_exec_per_sec: *([0-9]+).*/\1/p' "$log" | tail -n 1)
    files=$(find "$corpus" -type f | wc -l)
    if [ "$rc" -eq 0 ]; then
        result="clean"
    else
        artifact=$(sed -nE 's/.*Test unit written to (.*)$/\1/p' "$log" | tail -n 1)
        cp "$log" "$findings/$t.log"
        result="FINDING ${artifact:-(exit $rc, no input written)} log $findings/$t.log"
        status=1
    fi
    printf '%-20s %10s runs %8s exec/s corpus %6s  %s\n' "$t" "${runs:-?}" "${speed:-?}" "$files" "$result"
    if [ -n "$keep" ]; then
        mkdir -p "$keep/$t" && cp "$corpus"/* "$keep/$t"/ 2>/dev/null
    fi
done
exit "$status"
