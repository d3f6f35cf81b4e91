#!/bin/sh
# Plants one fault at a time into source files and tells which the tests
# catch:
#   tools/mutate.sh [--base REV] [--sample N] [--seed S] [--only N,...] [--list] FILE[:A-B]...
# Faults, each of its kind, counted by kind: a comparison negated or its
# bound moved by one, && and || swapped, a ! dropped, true and false swapped,
# a number moved by one, a constant swapped for another of its family
# (ERROR_..., FILE_...), a call that stands as a statement dropped; and the
# mistakes people make: two neighbouring statements or loops swapped, a loop
# run the other way, one operand of && or || dropped, two arguments of one
# type swapped, a variable or subscript for a look-alike (Fresh for Old, [0]
# for [i]), an early return, break or continue gone or an if's condition
# made true or false, a lone constant for a neighbour (OLD_FILE for
# FRESH_COPY, CREATE_NEW for CREATE_ALWAYS).  Each is built into a copy of the
# tree (build/mutate/tree, 64-bit tests) and tried against its subsystem's test
# program first, then, if it survives, against every test.  --base REV takes
# only the lines changed since REV; --sample N at most N faults, taken from
# every kind in turn, the same N for the same --seed; --only the faults of
# those numbers, to try survivors again.  The log is build/mutate/mutate.log.
. "$(dirname "$0")/common.sh"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES python3
ensure_locale
build_product
exec python3 "$top/tools/mutate.py" "$@"
