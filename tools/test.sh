#!/bin/sh
# Builds the program and its tests, and runs every test: the 64-bit build
# under wine64 always, and where the kernel runs 32-bit programs the 32-bit
# one too, whose end-to-end tests start the shipped Setup.exe itself.
#
# With both suites, the time goes mostly to compiling two test trees: so
# the 32-bit tests build beside Setup.exe, the 32-bit suite runs while the
# 64-bit tests build, and the 64-bit suite starts as soon as they are built,
# beside what is left of the 32-bit one.  Each suite has its own Wine
# prefix, server and test drives (build/tests32/, build/tests/), so neither
# waits for nor sees the other.  Their logs are shown when both have ended,
# the 64-bit one last, so that the output ends with its CTest summary.
. "$(dirname "$0")/common.sh"

plan_wine32
# shellcheck disable=SC2086  # lists of package names
ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES $WINE32_PACKAGES
announce_wine32
ensure_locale

# Configures and builds one test preset; only the build's complaints show.
build_tests() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" >/dev/null
}

if [ "$WINE32" != yes ]; then
    build_product
    step "configure and build the tests (64-bit, for wine64)"
    build_tests tests
    step "run the tests under wine64"
    status=0
    ctest --preset tests || status=$?
    exit $status
fi

status=0
build_product &
product=$!
step "configure and build the tests (32-bit, for 32-bit Wine in a 32-bit-only prefix)"
build_tests tests32 || status=$?
wait "$product" || status=$?
[ "$status" -eq 0 ] || exit "$status"

log32=build/tests32/ctest.log
log64=build/tests/ctest.log
step "run the 32-bit tests, the end-to-end ones starting build/product/bin/Setup.exe (log: $log32)"
ctest --preset tests32 >"$log32" 2>&1 &
suite32=$!
step "meanwhile, configure and build the tests (64-bit, for wine64)"
ran64=no
if build_tests tests; then
    step "run the tests under wine64, beside the 32-bit ones (log: $log64)"
    ran64=yes
    ctest --preset tests >"$log64" 2>&1 || status=$?
else
    status=1
fi
wait "$suite32" || status=$?

step "the 32-bit tests ($log32)"
cat "$log32"
if [ "$ran64" = yes ]; then
    # Last, so that the output ends with CTest's summary of the main run.
    step "the tests under wine64 ($log64)"
    cat "$log64"
fi
exit "$status"
