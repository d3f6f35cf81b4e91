#!/bin/sh
# Builds Setup.exe and starts its wizard under Wine, from a distribution
# folder, in a throwaway prefix made to look like a machine with Office 97.
. "$(dirname "$0")/common.sh"

ensure_packages $BUILD_PACKAGES $WINE_PACKAGES
build_product

# The 32-bit program needs Wine's 32-bit loader, which needs a kernel that
# runs 32-bit programs; otherwise the same sources built for x86_64 stand in.
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    loader=/usr/lib/wine/wine
    program=build/product/bin/Setup.exe
    step "this machine runs 32-bit programs: using the 32-bit Setup.exe"
else
    loader=/usr/lib/wine/wine64
    step "this machine cannot run 32-bit programs: building and using the 64-bit Setup.exe"
    cmake --preset product64 >/dev/null
    cmake --build --preset product64 >/dev/null
    program=build/product64/bin/Setup.exe
fi

if [ -z "${DISPLAY:-}" ]; then
    step "no display: run it on a desktop, or headless as 'xvfb-run -a tools/run.sh'"
    exit 1
fi

prefix=$top/build/run-prefix
export WINEPREFIX="$prefix" WINELOADER="$loader" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 1250, so that the Serbian pages and messages show their letters.
export LANG=sr_RS.UTF-8@latin LC_ALL=sr_RS.UTF-8@latin
step "make a throwaway Wine prefix with Office 97's App Paths: $prefix"
[ -d "$prefix" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
rm -rf "$prefix"
"$loader" wineboot -i >/dev/null 2>&1
# Debian's Wine does not find the fonts that fonts-wine installs: without
# Marlett the close box shows an "r", without MS Sans Serif the pages take
# another face.
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
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
"$loader" regedit /S 'C:\office97.reg' >/dev/null 2>&1
mkdir -p "$prefix/drive_c/Program Files/Common Files/Microsoft Shared/Proof"

step "distribution folder: C:\\Velmora with Setup.exe and four sample payload files"
dist="$prefix/drive_c/Velmora"
mkdir -p "$dist"
cp "$program" "$dist/Setup.exe"
for file in MSPCR32.DLL MSSP_CR.LEX MSHYCR32.DLL MSHY_CR.LEX; do
    printf 'Sample payload %s\r\n' "$file" >"$dist/$file"
done

step "start the wizard on display $DISPLAY"
(cd "$dist" && "$loader" Setup.exe)
/usr/lib/wine/wineserver -w
step "the wizard has ended; its prefix stays for inspection until the next run"
