#!/bin/sh
# Plants one fault at a time into source files and tells which the tests
# catch:
#   tools/mutate.sh [--base REV] [--sample N] [--seed S] [--only N,...] [--list] FILE[:A-B]...
# Faults: comparisons negated and their bounds moved by one, && and ||
# swapped, a ! dropped, true and false swapped, a number moved by one, a
# constant swapped for another of its family (ERROR_..., FILE_...), a call
# that stands as a statement dropped.  Each is built into a copy of the tree
# (build/mutate/tree, 64-bit tests) and tried against its subsystem's test
# program first, then, if it survives, against every test.  --base REV takes
# only the lines changed since REV; --sample N at most N faults, the same N
# for the same --seed; --only the faults of those numbers, to try survivors
# again.  The log is build/mutate/mutate.log.
. "$(dirname "$0")/common.sh"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES python3
ensure_locale
build_product
exec python3 "$top/tools/mutate.py" "$@"
