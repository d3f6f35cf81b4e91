#!/bin/sh
# Measures Setup's start-up against a one-dialog program under wine64 with the
# null graphics driver.  Usage: tools/bench.sh [RUNS], at least 10 (default).
. "$(dirname "$0")/common.sh"

runs=${1:-10}

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES
step "configure and build bench, one_dialog and Setup (64-bit, tests preset)"
cmake --preset tests >/dev/null
cmake --build --preset tests --target bench one_dialog Setup >/dev/null

prefix=$top/build/bench-prefix
loader=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
export WINEPREFIX="$prefix" WINELOADER="$loader" WINESERVER="$server"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

stop_server() { "$server" -k >/dev/null 2>&1 || true; "$server" -w >/dev/null 2>&1 || true; }

step "make a throwaway Wine prefix with the null graphics driver: $prefix"
[ -d "$prefix" ] && stop_server
rm -rf "$prefix"
mkdir -p "$prefix"
trap stop_server EXIT
"$loader" wineboot -i </dev/null >/dev/null 2>&1
"$loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
"$server" -w
# Wine's background processes must not hold this command's output open:
# they start here, with every stream on /dev/null, and the server stays up.
"$server" -p </dev/null >/dev/null 2>&1
"$loader" wineboot </dev/null >/dev/null 2>&1

step "copy Setup.exe, one_dialog.exe and bench.exe to C:\\Bench"
folder="$prefix/drive_c/Bench"
mkdir -p "$folder"
cp build/tests/bin/Setup.exe build/tests/bin/one_dialog.exe build/tests/bin/bench.exe "$folder/"

# Runs bench.exe in the folder, its output without carriage returns; fails
# when bench.exe does, which a pipeline alone would hide.
bench() {
    status="$prefix/bench-status"
    {
        code=0
        (cd "$folder" && "$loader" bench.exe "$@" </dev/null 2>/dev/null) || code=$?
        echo "$code" >"$status"
    } | tr -d '\r'
    return "$(cat "$status")"
}

step "one untimed warm-up run of each"
bench --warm-up 'C:\Bench\Setup.exe' 'C:\Bench\one_dialog.exe'

step "measure $runs runs of each"
bench 'C:\Bench\Setup.exe' 'C:\Bench\one_dialog.exe' "$runs"

step "stop this prefix's Wine server"
trap - EXIT
stop_server
