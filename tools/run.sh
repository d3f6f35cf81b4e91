#!/bin/sh
# Builds the program.
. "$(dirname "$0")/common.sh"

ensure_packages $BUILD_PACKAGES
build_product
