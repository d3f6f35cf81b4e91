#!/bin/sh
# Builds the program and its tests, and runs every test.
. "$(dirname "$0")/common.sh"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES
build_product
step "configure and build the tests (64-bit, for wine64)"
cmake --preset tests >/dev/null
cmake --build --preset tests >/dev/null
status=0
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    step "this machine runs 32-bit programs: build and run the 32-bit tests too"
    cmake --preset tests32 >/dev/null
    cmake --build --preset tests32 >/dev/null
    ctest --preset tests32 || status=$?
else
    step "this machine cannot run 32-bit programs (no working wine32): 32-bit tests skipped"
fi
# Last, so that the output ends with CTest's summary of the main run.
step "run the tests under wine64"
ctest --preset tests || status=$?
exit $status
