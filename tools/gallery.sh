#!/bin/sh
# Renders every wizard page, English and Serbian, centred over the backdrop,
# and the backdrop alone, into PNG files under build/gallery.  Headless: its
# own Xvfb and its own throwaway Wine prefix, both stopped at the end.
# shellcheck source=tools/common.sh
. "$(dirname "$0")/common.sh"

# shellcheck disable=SC2086  # the package lists are words
ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $TEST_PACKAGES imagemagick

step "configure and build the gallery (64-bit, for wine64)"
cmake --preset tests >/dev/null
cmake --build --preset tests --target gallery >/dev/null
program=$top/build/tests/bin/gallery.exe

prefix=$top/build/gallery-prefix
out=$top/build/gallery
loader=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
export WINEPREFIX="$prefix" WINELOADER="$loader" WINESERVER="$server"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 1250, so that the Serbian pages show their letters.
export LANG=sr_RS.UTF-8@latin LC_ALL=sr_RS.UTF-8@latin

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
"$loader" wineboot -i </dev/null >/dev/null 2>&1
# Debian's Wine looks for its own fonts in /usr/share/fonts, not where
# fonts-wine puts them: without Marlett the close box shows an "r", and
# without MS Sans Serif the pages take another face with other widths.
wine_fonts=/usr/share/wine/fonts
if [ -f "$wine_fonts/marlett.ttf" ]; then
    cp "$wine_fonts"/* "$prefix/drive_c/windows/Fonts/"
else
    step "warning: no $wine_fonts/marlett.ttf; caption buttons will show letters"
fi
# Without a window manager Wine must draw captions and maximise windows
# itself, or the main window stays 1x1.
cat >"$prefix/drive_c/gallery.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
"$loader" regedit /S 'C:\gallery.reg' </dev/null >/dev/null 2>&1
"$server" -w

step "render the backdrop and the sixteen pages on display $DISPLAY"
rm -rf "$out"
mkdir -p "$out"
windows_out="Z:$(printf '%s' "$out" | sed 's|/|\\|g')"
status=0
"$loader" "$program" "$windows_out" </dev/null >"$out/gallery.log" 2>&1 || status=$?
tr -d '\r' <"$out/gallery.log" | sed 's/^/   /'
rm -f "$out/gallery.log"
"$server" -w
[ "$status" -eq 0 ] || { echo "the gallery failed with status $status" >&2; exit 1; }

step "convert to PNG"
for bmp in "$out"/*.bmp; do
    [ -e "$bmp" ] || break
    convert "$bmp" "${bmp%.bmp}.png"
    rm -f "$bmp"
done

count=$(find "$out" -maxdepth 1 -name '*.png' | wc -l)
step "$count pictures in $out"
[ "$count" -eq 17 ]
