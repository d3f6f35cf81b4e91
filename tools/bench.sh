#!/bin/sh
# Measures Setup's start-up to its Welcome page against two yardsticks, under
# Wine with the null graphics driver: one dialog alone (one_dialog), and the
# same dialog with Setup's imports and a blank full-screen owner window
# (owner_dialog); imports_dialog, the imports without the owner, splits the
# difference.  The x86_64 build under wine64 always; where the kernel runs
# 32-bit programs, the shipped Setup.exe against 32-bit yardsticks too.
# Usage: tools/bench.sh [RUNS], at least 10, 20 by default.
. "$(dirname "$0")/common.sh"

runs=${1:-20}
yardsticks="one_dialog owner_dialog imports_dialog"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES
detect_wine32
step "configure and build bench, the yardsticks and Setup (64-bit, tests preset)"
cmake --preset tests >/dev/null
# shellcheck disable=SC2086  # the yardsticks are words
cmake --build --preset tests --target bench Setup $yardsticks >/dev/null
if [ "$WINE32" = yes ]; then
    build_product
    step "configure and build bench and the yardsticks (32-bit, tests32 preset)"
    cmake --preset tests32 >/dev/null
    # shellcheck disable=SC2086
    cmake --build --preset tests32 --target bench $yardsticks >/dev/null
fi

export WINESERVER="$WINE_SERVER" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

stop_server() { "$WINE_SERVER" -k >/dev/null 2>&1 || true; "$WINE_SERVER" -w >/dev/null 2>&1 || true; }

# Measures in a throwaway prefix of its own.
#   measure LABEL LOADER PREFIX SETUP_EXE BIN_FOLDER [WINEARCH]
measure() {
    label=$1 loader=$2 prefix=$3 setup=$4 bin=$5
    export WINEPREFIX="$prefix" WINELOADER="$loader"
    if [ -n "${6:-}" ]; then export WINEARCH="$6"; else unset WINEARCH; fi

    step "$label: make a throwaway Wine prefix with the null graphics driver: $prefix"
    [ -d "$prefix" ] && stop_server
    rm -rf "$prefix"
    mkdir -p "$prefix"
    trap stop_server EXIT
    "$loader" wineboot -i </dev/null >/dev/null 2>&1
    "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    "$WINE_SERVER" -w
    # Wine's background processes must not hold this command's output open:
    # they start here, with every stream on /dev/null, and the server stays up.
    "$WINE_SERVER" -p </dev/null >/dev/null 2>&1
    "$loader" wineboot </dev/null >/dev/null 2>&1

    folder="$prefix/drive_c/Bench"
    mkdir -p "$folder"
    cp "$setup" "$folder/Setup.exe"
    cp "$bin/bench.exe" "$folder/"
    programs='C:\Bench\Setup.exe'
    for yardstick in $yardsticks; do
        cp "$bin/$yardstick.exe" "$folder/"
        programs="$programs C:\\Bench\\$yardstick.exe"
    done

    step "$label: one untimed warm-up run of each"
    # shellcheck disable=SC2086  # the program paths have no spaces
    bench --warm-up $programs
    step "$label: measure $runs runs of each, taking turns"
    # shellcheck disable=SC2086
    bench "$runs" $programs

    step "$label: stop this prefix's Wine server"
    trap - EXIT
    stop_server
}

# Runs bench.exe in the folder, its output without carriage returns; fails
# when bench.exe does, which a pipeline alone would hide.
bench() {
    status="$WINEPREFIX/bench-status"
    {
        code=0
        (cd "$folder" && "$WINELOADER" bench.exe "$@" </dev/null 2>/dev/null) || code=$?
        echo "$code" >"$status"
    } | tr -d '\r'
    return "$(cat "$status")"
}

measure "64-bit" "$WINE64_LOADER" "$top/build/bench-prefix" build/tests/bin/Setup.exe build/tests/bin
if [ "$WINE32" = yes ]; then
    measure "32-bit, shipped Setup.exe" "$WINE32_LOADER" "$top/build/bench-prefix32" \
        build/product/bin/Setup.exe build/tests32/bin win32
fi
