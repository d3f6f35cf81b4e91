#!/bin/sh
# Builds the program and its tests, and runs every test.
. "$(dirname "$0")/common.sh"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES
build_product
step "configure and build the tests (64-bit, for wine64)"
cmake --preset tests >/dev/null
cmake --build --preset tests >/dev/null
step "run the tests under wine64"
ctest --preset tests
