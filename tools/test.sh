#!/bin/sh
# Builds the program and its tests, and runs every test: the 64-bit build
# under wine64 always, and where the kernel runs 32-bit programs the 32-bit
# one too, whose end-to-end tests start the shipped Setup.exe itself.
. "$(dirname "$0")/common.sh"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES
detect_wine32
ensure_locale
build_product
status=0
if [ "$WINE32" = yes ]; then
    step "configure and build the tests (32-bit, for 32-bit Wine in a 32-bit-only prefix)"
    cmake --preset tests32 >/dev/null
    cmake --build --preset tests32 >/dev/null
    step "run the 32-bit tests; the end-to-end ones start build/product/bin/Setup.exe"
    ctest --preset tests32 || status=$?
fi
step "configure and build the tests (64-bit, for wine64)"
cmake --preset tests >/dev/null
cmake --build --preset tests >/dev/null
# Last, so that the output ends with CTest's summary of the main run.
step "run the tests under wine64"
ctest --preset tests || status=$?
exit $status
