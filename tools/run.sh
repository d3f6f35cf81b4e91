#!/bin/sh
# Builds Setup.exe and starts its wizard under Wine, from a distribution
# folder, in a throwaway prefix made to look like a machine with Office 97.
. "$(dirname "$0")/common.sh"

plan_wine32
# shellcheck disable=SC2086  # lists of package names
ensure_packages $BUILD_PACKAGES $WINE_PACKAGES $WINE32_PACKAGES
announce_wine32
ensure_locale
build_product

if [ "$WINE32" = yes ]; then
    loader=$WINE32_LOADER
    program=build/product/bin/Setup.exe
    # The nearest to Windows 95 and NT 4: no "Program Files (x86)".
    export WINEARCH=win32
    step "starting the shipped 32-bit Setup.exe in a 32-bit-only Wine prefix"
else
    loader=$WINE64_LOADER
    step "starting the same sources built for x86_64 under wine64"
    cmake --preset product64 >/dev/null
    cmake --build --preset product64 >/dev/null
    program=build/product64/bin/Setup.exe
fi

if [ -z "${DISPLAY:-}" ]; then
    step "no display: run it on a desktop, or headless as 'xvfb-run -a tools/run.sh'"
    exit 1
fi

prefix=$top/build/run-prefix
export WINEPREFIX="$prefix" WINELOADER="$loader" WINESERVER="$WINE_SERVER"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
use_wine_locale
step "make a throwaway Wine prefix with Office 97's App Paths: $prefix"
[ -d "$prefix" ] && "$WINE_SERVER" -k 2>/dev/null || true
rm -rf "$prefix"
wine_start "$loader" wineboot -i >/dev/null 2>&1
copy_wine_fonts "$prefix"
cat >"$prefix/drive_c/office97.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Winword.EXE]
"Path"="C:\\Program Files\\Microsoft Office\\Office"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\EXCEL.EXE]
"Path"="C:\\Program Files\\Microsoft Office\\Office"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\POWERPNT.EXE]
"Path"="C:\\Program Files\\Microsoft Office\\Office"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\MSACCESS.EXE]
"Path"="C:\\Program Files\\Microsoft Office\\Office"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\OUTLOOK.EXE]
"Path"="C:\\Program Files\\Microsoft Office\\Office"

; Wine draws captions and maximises windows itself, with or without a window
; manager, so the backdrop covers the screen as on Windows.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
wine_start "$loader" regedit /S 'C:\office97.reg' >/dev/null 2>&1
mkdir -p "$prefix/drive_c/Program Files/Common Files/Microsoft Shared/Proof"

step "distribution folder: C:\\Velmora with Setup.exe and four sample payload files"
dist="$prefix/drive_c/Velmora"
mkdir -p "$dist"
cp "$program" "$dist/Setup.exe"
make_payload "$dist"

step "start the wizard on display $DISPLAY"
(cd "$dist" && wine_start "$loader" Setup.exe)
"$WINE_SERVER" -w
step "the wizard has ended; its prefix stays for inspection until the next run"
