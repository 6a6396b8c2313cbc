#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (ASan+UBSan), a few seconds of
# each fuzz target, then the Win32 tests and the end-to-end tests under Wine on a private Xvfb.
# The last line is the summary.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/session.sh

scripts/setup.sh || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
count() { # ctest log -> passed/failed totals
    local line total nfail
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    if [ -z "$line" ]; then
        echo "no test results in $1" >&2
        failed=$((failed + 1))
        return
    fi
    nfail=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - nfail))
    failed=$((failed + nfail))
}

# The Windows suites run one program per file: count their GoogleTest cases from CTest's full
# log, and a program that died without a summary as one failure.
count_gtest() { # ctest console log, ctest full log
    local gpass gfail cfail
    gpass=$(grep -oE '\[  PASSED  \] [0-9]+ tests?' "$2" 2>/dev/null | awk '{s += $4} END {print s + 0}')
    gfail=$(grep -oE '\[  FAILED  \] [0-9]+ tests?,' "$2" 2>/dev/null | awk '{s += $4} END {print s + 0}')
    cfail=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$1" | sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/')
    if [ -z "$cfail" ]; then
        echo "no test results in $1" >&2
        failed=$((failed + 1))
        return
    fi
    passed=$((passed + gpass))
    failed=$((failed + (gfail > cfail ? gfail : cfail)))
}

cleanup() {
    zentrava_stop_wine
    zentrava_stop_xvfb
}
trap cleanup EXIT

mkdir -p build
echo "== native build and unit tests"
if cmake --preset native >build/native-configure.log 2>&1 &&
    cmake --build --preset native 2>&1 | tail -n 20; [ "${PIPESTATUS[0]}" -eq 0 ]; then
    ctest --preset native -j2 2>&1 | tee build/native-ctest.log | grep -vE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed'
    count build/native-ctest.log
else
    cat build/native-configure.log | tail -n 20
    echo "native build failed"; failed=$((failed + 1))
fi

# One pass per fuzz target that ran clean, one failure per finding, one for a failed build.
echo "== fuzz targets"
scripts/fuzz.sh --seconds 5 2>&1 | tee build/fuzz.log
fuzz_pass=$(grep -cE '^fuzz_[a-z0-9_]+ .* clean$' build/fuzz.log)
fuzz_fail=$(grep -cE '^fuzz_[a-z0-9_]+ .* FINDING ' build/fuzz.log)
if grep -q '^fuzz build failed' build/fuzz.log || ((fuzz_pass + fuzz_fail == 0)); then
    fuzz_fail=$((fuzz_fail + 1))
fi
passed=$((passed + fuzz_pass))
failed=$((failed + fuzz_fail))

echo "== Windows cross build and tests under Wine"
if cmake --preset windows >build/windows-configure.log 2>&1 &&
    cmake --build --preset windows 2>&1 | tail -n 20; [ "${PIPESTATUS[0]}" -eq 0 ]; then
    zentrava_start_xvfb && zentrava_start_wine
    ctest --preset windows 2>&1 | tee build/windows-ctest.log
    count_gtest build/windows-ctest.log build/windows/Testing/Temporary/LastTest.log
else
    cat build/windows-configure.log | tail -n 20
    echo "windows build failed"; failed=$((failed + 1))
fi

cleanup
trap - EXIT
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
