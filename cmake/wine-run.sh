#!/bin/sh
# Runs a Windows program of a test build under Wine, in the build's own
# Wine prefix.  Usage:
#   wine-run.sh PREFIX --start      make the prefix if needed, start its server
#   wine-run.sh PREFIX --stop       stop this prefix's server, delete the prefix
#   wine-run.sh PREFIX PROGRAM ARGS run one program
# Only this prefix's server is ever stopped: other Wine users share the machine.
set -u
prefix=$1
shift

# The 32-bit test build names Wine's 32-bit loader and a 32-bit-only prefix
# (WINEARCH=win32): in a 64-bit one a 32-bit program is shown folders such
# as "Program Files (x86)" that no target system has.
loader=${VELMORA_WINE_LOADER:-/usr/lib/wine/wine64}
server=/usr/lib/wine/wineserver
# Debian's Wine has no preloader to keep the fixed address of Windows' shared
# user data page free.  With address-space randomisation the 64-bit loader's
# heap lies over it about once in 4,000 starts here, and Wine ends with status 1
# after some 20 ms ("failed to map the shared user data").  Without
# randomisation the heap starts just above the loader, 48 MB below that page;
# the programs Wine starts in turn inherit this.  Where the personality
# cannot be set (a container's seccomp filter may refuse it), Wine runs as is.
run_wine() {
    if setarch -R true 2>/dev/null; then
        setarch -R "$loader" "$@"
    else
        "$loader" "$@"
    fi
}
export WINEPREFIX="$prefix" WINELOADER="$loader" WINESERVER="$server"
if [ -n "${VELMORA_WINE_ARCH:-}" ]; then
    export WINEARCH="$VELMORA_WINE_ARCH"
fi
# Wine's errors only: a sound test run has none, and a start that fails
# then says why.
export WINEDEBUG=err+all,fixme-all WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 1250, the Serbian users' one, unless a test asks for another.
locale=${VELMORA_WINE_LOCALE:-sr_RS.UTF-8@latin}
export LANG="$locale" LC_ALL="$locale"
# Without the locale in glibc Wine still picks the code page but mangles
# non-ASCII file names; the run and test commands generate it here.
locales=$(cd "$(dirname "$0")/.." && pwd)/build/locale
if [ -z "${LOCPATH:-}" ] && [ -d "$locales" ]; then
    export LOCPATH="$locales"
fi
unset DISPLAY WAYLAND_DISPLAY

# What Wine said while making the prefix or starting its server: shown
# when that fails, since CTest shows nothing else of it.
log=$prefix.log

# Says why the program cannot be run, with what Wine wrote into the log
# when one is named, and gives up.
fail() {
    echo "wine-run.sh: $1" >&2
    if [ -n "${2:-}" ]; then
        if [ -s "$2" ]; then sed 's/^/    /' "$2" >&2; else echo "    (Wine said nothing)" >&2; fi
    fi
    exit 1
}

make_prefix() {
    # A prefix whose creation was interrupted lacks the marker and is made anew.
    [ -f "$prefix/.ready" ] && return 0
    rm -rf "$prefix"
    mkdir -p "$prefix" || fail "cannot create $prefix"
    # A loader that cannot run leaves no prefix worth marking ready.
    run_wine wineboot -i </dev/null >"$log" 2>&1 9>&- ||
        fail "wineboot -i could not make $prefix (exit status $?); Wine said:" "$log"
    run_wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
        </dev/null >>"$log" 2>&1 9>&- ||
        fail "could not give $prefix the null graphics driver (exit status $?); Wine said:" "$log"
    "$server" -w 9>&-
    touch "$prefix/.ready"
}

start_server() {
    # Wine's background processes must not inherit a test's output, or CTest
    # waits for them to close its pipe: start them here, once per server.
    # The server answers 2 when it is running already.
    "$server" -p60 </dev/null >"$log" 2>&1
    status=$?
    case $status in
    0)
        run_wine wineboot </dev/null >>"$log" 2>&1 ||
            fail "wineboot could not start $prefix after its server (exit status $?); Wine said:" "$log"
        ;;
    2) ;;
    *)
        # The program's own start then tries again and tells what fails.
        echo "wine-run.sh: wineserver -p60 answered $status for $prefix" >&2
        ;;
    esac
}

case "${1:-}" in
--stop)
    [ -d "$prefix" ] && "$server" -k >/dev/null 2>&1
    "$server" -w >/dev/null 2>&1
    rm -rf "$prefix" "$prefix.lock" "$log"
    exit 0
    ;;
esac

mkdir -p "$(dirname "$prefix")"
(
    flock 9 || fail "cannot lock $prefix.lock"
    make_prefix
    start_server 9>&-
) 9>"$prefix.lock" || exit 1

[ "${1:-}" = "--start" ] && exit 0
# Not exec'd, so that a start that fails is named, with how soon it ended.
started=$(date +%s%N)
run_wine "$@"
status=$?
if [ "$status" -ne 0 ]; then
    elapsed=$((($(date +%s%N) - started) / 1000000))
    echo "wine-run.sh: $(basename -- "$1") ended with exit status $status after $elapsed ms" >&2
fi
exit "$status"
