# Shared by the commands in this folder: one line per step, packages on demand.
set -eu
# A check elsewhere in the tree that borrows these names says where the top is.
top=${VELMORA_TOP:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top"

step() { printf '== %s\n' "$*"; }

# Runs a command as root, directly or through sudo.
as_root() {
    if [ "$(id -u)" = 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "run as root, or install sudo" >&2
        exit 1
    fi
}

# Installs the Debian packages that are missing, as root or through sudo.
ensure_packages() {
    missing=""
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        case "$status" in
        *" installed") ;;
        *) missing="$missing $package" ;;
        esac
    done
    if [ -z "$missing" ]; then
        step "packages: all present"
        return 0
    fi
    step "packages: installing$missing"
    as_root true
    started=$(date +%s)
    # apt's chatter is shown only when it fails.
    apt_log=$(mktemp)
    # On an image older than the archive apt may upgrade some installed
    # packages to match the new ones: that is left to apt.
    # shellcheck disable=SC2086
    if ! { as_root apt-get update -qq &&
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
            --no-install-recommends $missing; } >"$apt_log" 2>&1; then
        cat "$apt_log" >&2
        rm -f "$apt_log"
        echo "apt-get could not install:$missing" >&2
        exit 1
    fi
    rm -f "$apt_log"
    step "packages: installed in $(($(date +%s) - started)) s"
}

BUILD_PACKAGES="cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64 binutils-mingw-w64-i686"
# fonts-wine is only a recommendation of wine, and locales holds what
# localedef needs to make the Serbian locale.
WINE_PACKAGES="wine wine64 fonts-wine locales xvfb xauth"
TEST_PACKAGES="googletest cppcheck clang-format"

# Starts a Wine loader without address-space randomisation: Debian's Wine
# has no preloader, and the 64-bit loader's heap otherwise lies over Windows'
# shared user data page about once in 4,000 starts (see cmake/wine-run.sh).
wine_start() {
    if setarch -R true 2>/dev/null; then setarch -R "$@"; else "$@"; fi
}

# Set by detect_wine32: "yes" where Wine runs the shipped 32-bit Setup.exe.
WINE32=no
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
WINE_SERVER=/usr/lib/wine/wineserver

# A static i386 Linux program of 120 bytes that prints "i386" through the
# kernel's 32-bit system calls.  It needs no library, so it answers on a
# fresh machine too, where a test of the 32-bit loader would only find it
# missing; and a kernel without 32-bit support refuses to start it.
kernel_runs_i386() {
    probe=$top/build/i386-probe
    mkdir -p "$top/build"
    printf '\177\105\114\106\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0'\
'\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\170\0\0\0'\
'\170\0\0\0\5\0\0\0\0\20\0\0\270\4\0\0\0\273\1\0\0\0\271\163\200\4\10\272\5\0\0\0\315\200'\
'\270\1\0\0\0\61\333\315\200\151\63\70\66\12' >"$probe"
    chmod +x "$probe"
    [ "$("$probe" 2>/dev/null)" = i386 ]
}

# Where the kernel runs i386 programs, adds Debian's i386 architecture and
# names the 32-bit Wine package in WINE32_PACKAGES, for an ensure_packages
# that follows (one apt run for all of them); says nothing.
WINE32_PACKAGES=""
plan_wine32() {
    kernel_runs_i386 || return 0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        step "packages: add the i386 architecture"
        as_root dpkg --add-architecture i386
    fi
    WINE32_PACKAGES="wine32:i386"
}

# After plan_wine32 and its packages: says in one line which way it goes.
announce_wine32() {
    if [ -z "$WINE32_PACKAGES" ]; then
        step "this kernel cannot run 32-bit programs: no 32-bit Wine, the x86_64 build stands in"
        return 0
    fi
    step "this kernel runs 32-bit programs: 32-bit Wine runs the shipped Setup.exe"
    WINE32=yes
}

# Where the kernel runs i386 programs, installs Debian's 32-bit Wine, which
# runs the shipped Setup.exe itself; says in one line which way it goes.
detect_wine32() {
    plan_wine32
    # shellcheck disable=SC2086  # empty where the kernel refuses i386
    [ -z "$WINE32_PACKAGES" ] || ensure_packages $WINE32_PACKAGES
    announce_wine32
}

# Wine takes its ANSI code page from LC_CTYPE and the language of its own
# texts (the buttons of a message box) from LANG: code page 1250 under English
# Windows, as the Serbian users of this program had it.  Without the locales
# in glibc Wine still picks the code page but mangles non-ASCII file names, so
# both are generated into the build tree rather than into the system
# (cmake/wine-run.sh finds them there).
WINE_LOCALE=sr_RS.UTF-8@latin
WINE_MESSAGES_LOCALE=en_US.UTF-8
WINE_LOCPATH=$top/build/locale
ensure_locale() {
    if [ ! -f "$WINE_LOCPATH/$WINE_LOCALE/LC_CTYPE" ]; then
        step "generate the locale $WINE_LOCALE into build/locale"
        mkdir -p "$WINE_LOCPATH"
        localedef -i sr_RS@latin -f UTF-8 "$WINE_LOCPATH/$WINE_LOCALE"
    fi
    if [ ! -f "$WINE_LOCPATH/$WINE_MESSAGES_LOCALE/LC_MESSAGES/SYS_LC_MESSAGES" ]; then
        step "generate the locale $WINE_MESSAGES_LOCALE into build/locale"
        mkdir -p "$WINE_LOCPATH"
        localedef -i en_US -f UTF-8 "$WINE_LOCPATH/$WINE_MESSAGES_LOCALE"
    fi
}

# For Wine only: code page 1250, so that the Serbian pages show their
# letters, and Wine's own texts in English, like the English pages.
use_wine_locale() {
    unset LC_ALL
    export LOCPATH="$WINE_LOCPATH" LANG="$WINE_MESSAGES_LOCALE" LC_CTYPE="$WINE_LOCALE"
}

# Debian's Wine does not look where fonts-wine puts its fonts: without
# Marlett the close box shows an "r", without MS Sans Serif the pages take
# another face with other widths.
copy_wine_fonts() {
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/* "$1/drive_c/windows/Fonts/"
    else
        step "warning: no /usr/share/wine/fonts/marlett.ttf; caption buttons will show letters"
    fi
}

# The four sample payload files that Setup's distribution folder holds,
# made in FOLDER: the same for the wizard's runs and the benchmark.
PAYLOAD_FILES="MSPCR32.DLL MSSP_CR.LEX MSHYCR32.DLL MSHY_CR.LEX"
make_payload() {
    mkdir -p "$1"
    for file in $PAYLOAD_FILES; do
        printf 'Sample payload %s\r\n' "$file" >"$1/$file"
    done
}

build_product() {
    step "configure and build Setup.exe (32-bit)"
    cmake --preset product >/dev/null
    cmake --build --preset product >/dev/null
    step "built $(wc -c <build/product/bin/Setup.exe) bytes: build/product/bin/Setup.exe"
}
