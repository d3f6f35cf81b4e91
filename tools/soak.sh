#!/bin/sh
# Runs the built test suites again and again beside CPU-heavy work, to tell
# a flaky test run from a sound one, and counts the runs that failed:
#   tools/soak.sh RUNS [TREE]
# TREE is a checkout whose suites are built already (default: this one), so
# an older commit can be measured from a worktree with today's script.
# SOAK_CPU_WORKERS (default 2) sets how many stress-ng workers load the
# machine; 0 when other work loads it already.  Where both suites are
# built, each run starts them at once.  Logs: TREE/build/soak/.
. "$(dirname "$0")/common.sh"

runs=${1:?usage: tools/soak.sh RUNS [TREE]}
tree=$(cd "${2:-$top}" && pwd)
workers=${SOAK_CPU_WORKERS:-2}
logs=$tree/build/soak
mkdir -p "$logs"

suites=tests
[ -f "$tree/build/tests32/CTestTestfile.cmake" ] && suites="tests32 tests"

load=
if [ "$workers" -gt 0 ]; then
    ensure_packages stress-ng
    stress-ng --cpu "$workers" --quiet >/dev/null 2>&1 &
    load=$!
    trap 'kill "$load" 2>/dev/null' EXIT INT TERM
fi

# What failed in one suite run, with CTest's time for each.
report() {
    log=$1
    failed=$(sed -n '/The following tests FAILED:/,$p' "$log" |
        sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' | tr '\n' ' ')
    if [ -n "$failed" ]; then
        times=
        for name in $failed; do
            times="$times $name($(grep -m1 "#[0-9]*: $name " "$log" | sed 's/.* \([0-9.]* sec\).*/\1/'))"
        done
        echo "failed:$times"
    else
        echo "passed"
    fi
}

# Both suites of a run start at once, as tools/test.sh runs them side by
# side; each has its own Wine prefix and test drives.
bad=0 total=0
run=1
while [ "$run" -le "$runs" ]; do
    for suite in $suites; do
        (cd "$tree" && ctest --preset "$suite") >"$logs/run-$run-$suite.log" 2>&1 &
        eval "pid_$suite=\$!"
    done
    for suite in $suites; do
        log=$logs/run-$run-$suite.log
        status=0
        eval "wait \"\$pid_$suite\"" || status=$?
        # CTest's full log keeps the output of the tests that passed too.
        cp "$tree/build/$suite/Testing/Temporary/LastTest.log" "$log.all" 2>/dev/null || true
        step "run $run, $suite: $(report "$log")"
        total=$((total + 1))
        [ "$status" -eq 0 ] || bad=$((bad + 1))
    done
    run=$((run + 1))
done
step "$total suite runs, $bad failed"
[ "$bad" -eq 0 ]
