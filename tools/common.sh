# Shared by the run and test commands: one line per step, packages on demand.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

step() { printf '== %s\n' "$*"; }

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
    sudo=""
    if [ "$(id -u)" != 0 ]; then
        command -v sudo >/dev/null || { echo "run as root, or install:$missing" >&2; exit 1; }
        sudo=sudo
    fi
    $sudo apt-get update -qq >/dev/null
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing \
        >/dev/null
}

BUILD_PACKAGES="cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64 binutils-mingw-w64-i686"
WINE_PACKAGES="wine wine64 xvfb xauth"
TEST_PACKAGES="googletest cppcheck clang-format"

build_product() {
    step "configure and build Setup.exe (32-bit)"
    cmake --preset product >/dev/null
    cmake --build --preset product >/dev/null
    step "built $(ls -l build/product/bin/Setup.exe | awk '{print $5}') bytes: build/product/bin/Setup.exe"
}
