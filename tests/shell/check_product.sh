#!/bin/sh
# Checks the shipped 32-bit Setup.exe as the oldest supported loaders see it.
#   check_product.sh imports SETUP.EXE ALLOWED_LIST
#   check_product.sh size SETUP.EXE MAX_BYTES
#   check_product.sh instructions SETUP.EXE
set -u
what=$1
exe=$2
[ -f "$exe" ] || { echo "missing $exe: build the product first (cmake --build --preset product)"; exit 1; }
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

check_header() {
    headers=$($objdump -p "$exe")
    field() { printf '%s\n' "$headers" | awk -v name="$1" '$1 == name { print $2; exit }'; }
    [ "$(field Magic)" = 010b ] || fail "not PE32 (Magic $(field Magic))"
    [ "$(field Subsystem)" = 00000002 ] || fail "not a GUI program (Subsystem $(field Subsystem))"
    for name in MajorSubsystemVersion MajorOSystemVersion; do
        [ "$(field $name)" = 3 ] || fail "$name is $(field $name), not 3"
    done
    for name in MinorSubsystemVersion MinorOSystemVersion; do
        [ "$(field $name)" = 10 ] || fail "$name is $(field $name), not 10"
    done
}

# Lines "DLL!Function" from the import tables, DLL names in upper case
# without ".dll".
imports() {
    $objdump -p "$exe" | awk '
        /DLL Name:/ { dll = toupper($3); sub(/\.DLL$/, "", dll); next }
        dll != "" && /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print dll "!" $3 }
        /^$/ { if (dll != "") dll = "" }'
}

check_imports() {
    allowed=$1
    list=$(imports)
    [ -n "$list" ] || fail "no imports found: the check cannot read this program"
    for dll in $(printf '%s\n' "$list" | cut -d! -f1 | sort -u); do
        case $dll in
        KERNEL32 | USER32 | GDI32 | ADVAPI32 | COMCTL32 | VERSION) ;;
        *) fail "imports from $dll" ;;
        esac
    done
    for entry in $list; do
        grep -qx "$entry" "$allowed" || fail "imports $entry, which is not in $(basename "$allowed")"
    done
    for newer in RegisterClassExA GetDiskFreeSpaceExA; do
        printf '%s\n' "$list" | grep -q "!$newer\$" && fail "imports $newer, which Windows NT 3.51 lacks"
    done
    echo "$(printf '%s\n' "$list" | wc -l) imports from $(printf '%s\n' "$list" | cut -d! -f1 | sort -u | tr '\n' ' ')"
}

# Windows 95 and NT 3.51 run on a 386; the Pentium and Pentium MMX of their
# day lack the Pentium Pro's conditional moves, and an instruction a processor
# lacks ends the program at once.
check_instructions() {
    newer=$($objdump -d "$exe" |
        grep -oE '[[:space:]](cmov[a-z]+|fcmov[a-z]+|fu?comip?|bswap|cmpxchg(8b)?|xadd|cpuid|rdtsc)[[:space:]]' |
        sort | uniq -c | awk '{ printf " %s (%s times)", $2, $1 }')
    if [ -n "$newer" ]; then
        fail "uses instructions that a 386 lacks:$newer"
    else
        echo "no instruction newer than the 386's"
    fi
}

case $what in
instructions)
    check_instructions
    ;;
imports)
    check_header
    check_imports "$3"
    ;;
size)
    size=$(stat -c %s "$exe")
    echo "Setup.exe is $size bytes (limit $3)"
    [ "$size" -le "$3" ] || fail "Setup.exe has grown past $3 bytes"
    ;;
esac
[ "$failures" -eq 0 ]
