#!/bin/sh
# Renders every wizard page, English and Serbian, centred over the backdrop,
# into docs/gallery: each page cropped to its window, the backdrop once,
# scaled down, all as small PNG files.  The templates and the backdrop
# bitmap are read from the shipped build/product/bin/Setup.exe.  Where the
# kernel runs 32-bit programs the pages are drawn by the 32-bit build under
# 32-bit Wine in a 32-bit-only prefix, otherwise by the x86_64 build under
# wine64.  Headless: its own Xvfb and its own throwaway Wine prefix, both
# stopped at the end.
# shellcheck source=tools/common.sh
. "$(dirname "$0")/common.sh"

# shellcheck disable=SC2086  # the package lists are words
ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES imagemagick
detect_wine32
ensure_locale
build_product
shipped=$top/build/product/bin/Setup.exe

if [ "$WINE32" = yes ]; then
    preset=tests32
    loader=$WINE32_LOADER
    export WINEARCH=win32
else
    preset=tests
    loader=$WINE64_LOADER
fi
step "configure and build the gallery ($preset preset)"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target gallery >/dev/null
program=$top/build/$preset/bin/gallery.exe

prefix=$top/build/gallery-prefix
work=$top/build/gallery
out=$top/docs/gallery
server=$WINE_SERVER
export WINEPREFIX="$prefix" WINELOADER="$loader" WINESERVER="$server"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
use_wine_locale

xvfb_pid=""
display_file=$(mktemp)
# Runs under set -e: a server that has already gone must not stop the
# clean-up before Xvfb is killed.
cleanup() {
    if [ -d "$prefix" ]; then
        "$server" -k >/dev/null 2>&1 || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -f "$display_file"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# A display number of its own, whatever else runs on this machine.
step "start Xvfb at 1024x768x24"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb gave no display number" >&2; exit 1; }
DISPLAY=":$(cat "$display_file")"
export DISPLAY
unset WAYLAND_DISPLAY XAUTHORITY

step "make a throwaway Wine prefix: $prefix"
if [ -d "$prefix" ]; then
    "$server" -k >/dev/null 2>&1 || true
    "$server" -w >/dev/null 2>&1 || true
fi
rm -rf "$prefix"
wine_start "$loader" wineboot -i </dev/null >/dev/null 2>&1
copy_wine_fonts "$prefix"
# Without a window manager Wine must draw captions and maximise windows
# itself, or the main window stays 1x1.
cat >"$prefix/drive_c/gallery.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
wine_start "$loader" regedit /S 'C:\gallery.reg' </dev/null >/dev/null 2>&1
"$server" -w

step "render the backdrop and the sixteen pages on display $DISPLAY"
rm -rf "$work"
mkdir -p "$work"
windows_path() { printf 'Z:%s' "$1" | sed 's|/|\\|g'; }
status=0
wine_start "$loader" "$program" "$(windows_path "$work")" "$(windows_path "$shipped")" </dev/null \
    >"$work/gallery.log" 2>&1 || status=$?
tr -d '\r' <"$work/gallery.log" | sed 's/^/   /'
rm -f "$work/gallery.log"
"$server" -w
[ "$status" -eq 0 ] || { echo "the gallery failed with status $status" >&2; exit 1; }

# Pages use a handful of colours; the backdrop, a photograph, keeps more at
# half its size.
step "convert to PNG with reduced palettes into docs/gallery"
rm -rf "$out"
mkdir -p "$out"
for bmp in "$work"/*.bmp; do
    [ -e "$bmp" ] || break
    name=$(basename "$bmp" .bmp)
    if [ "$name" = backdrop ]; then
        convert "$bmp" -resize 50% +dither -colors 64 -strip "PNG8:$out/$name.png"
    else
        convert "$bmp" +dither -colors 16 -strip "PNG8:$out/$name.png"
    fi
done

count=$(find "$out" -maxdepth 1 -name '*.png' | wc -l)
step "$count pictures, $(du -sk "$out" | cut -f1) KB in docs/gallery"
[ "$count" -eq 17 ]
