#!/bin/sh
# Measures Setup's start-up to its Welcome page against two yardsticks, under
# Wine with the null graphics driver: one dialog alone (one_dialog), and the
# same dialog with Setup's imports and a blank full-screen owner window
# (owner_dialog); imports_dialog, the imports without the owner, splits the
# difference.  The x86_64 build under wine64 always; where the kernel runs
# 32-bit programs, the shipped Setup.exe against 32-bit yardsticks too.  In
# the same turns, the installer a user would otherwise make: NSIS's Modern
# UI with the same pages, languages and four payload files (bench/nsis_setup.nsi).
# Usage: tools/bench.sh [RUNS], at least 10, 20 by default.
. "$(dirname "$0")/common.sh"

runs=${1:-20}
yardsticks="one_dialog owner_dialog imports_dialog"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES nsis
detect_wine32
step "configure and build bench, the yardsticks and Setup (64-bit, tests preset)"
cmake --preset tests >/dev/null
# shellcheck disable=SC2086  # the yardsticks are words
cmake --build --preset tests --target bench Setup $yardsticks >/dev/null
build_product
if [ "$WINE32" = yes ]; then
    step "configure and build bench and the yardsticks (32-bit, tests32 preset)"
    cmake --preset tests32 >/dev/null
    # shellcheck disable=SC2086
    cmake --build --preset tests32 --target bench $yardsticks >/dev/null
fi

# The NSIS installer of the payload, and the same with empty payload files:
# its size without the payload, printed beside Setup's.  Both targets, so
# both sizes show where only one can run.
#   nsis_installer TARGET SETUP_LABEL SETUP_EXE, into build/nsis/TARGET
nsis_installer() {
    out=$top/build/nsis/$1
    make_payload "$out/nsis_setup"
    mkdir -p "$out/nsis_setup_empty"
    for file in $PAYLOAD_FILES; do : >"$out/nsis_setup_empty/$file"; done
    for name in nsis_setup nsis_setup_empty; do
        makensis -V1 -DTARGET="$1" -DPAYLOAD="$out/$name" -DOUTFILE="$out/$name.exe" \
            tools/bench/nsis_setup.nsi
    done
    step "sizes, bytes: $2 $(wc -c <"$3"); NSIS $1 installer $(wc -c <"$out/nsis_setup.exe")," \
        "with empty payload files $(wc -c <"$out/nsis_setup_empty.exe")," \
        "its bare stub $(wc -c <"/usr/share/nsis/Stubs/zlib-$1")"
}
step "build the NSIS installers of the four payload files ($(makensis -VERSION))"
nsis_installer amd64-unicode "Setup.exe (x86_64)" build/tests/bin/Setup.exe
nsis_installer x86-ansi "Setup.exe (shipped, i686)" build/product/bin/Setup.exe

export WINESERVER="$WINE_SERVER" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

stop_server() { "$WINE_SERVER" -k >/dev/null 2>&1 || true; "$WINE_SERVER" -w >/dev/null 2>&1 || true; }

# Measures in a throwaway prefix of its own.
#   measure LABEL LOADER PREFIX SETUP_EXE BIN_FOLDER NSIS_TARGET [WINEARCH]
measure() {
    label=$1 loader=$2 prefix=$3 setup=$4 bin=$5 nsis=build/nsis/$6/nsis_setup.exe
    export WINEPREFIX="$prefix" WINELOADER="$loader"
    if [ -n "${7:-}" ]; then export WINEARCH="$7"; else unset WINEARCH; fi

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
    cp "$nsis" "$folder/"
    programs="$programs C:\\Bench\\nsis_setup.exe"

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

measure "64-bit" "$WINE64_LOADER" "$top/build/bench-prefix" build/tests/bin/Setup.exe build/tests/bin \
    amd64-unicode
if [ "$WINE32" = yes ]; then
    measure "32-bit, shipped Setup.exe" "$WINE32_LOADER" "$top/build/bench-prefix32" \
        build/product/bin/Setup.exe build/tests32/bin x86-ansi win32
    step "measured both: x86_64 under wine64, and the shipped i686 Setup.exe under 32-bit Wine"
else
    step "measured only x86_64 under wine64: this kernel cannot run 32-bit programs"
fi
