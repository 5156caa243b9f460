#!/usr/bin/env bash
# Checks the shipped binaries of one architecture (i686: PE32, x86_64: PE32+),
# the one undecorated export of the
# extension, a GUI-subsystem helper, and no imports beyond the system's DLLs
# (a MinGW runtime DLL would be missing on a user's machine).
set -u
bin=$1
arch=${2:-i686}
case $arch in
    i686) format=pei-i386 ;;
    x86_64) format=pei-x86-64 ;;
    *) echo "unknown architecture $arch"; exit 1 ;;
esac
objdump=$arch-w64-mingw32-objdump
status=0
system='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|ws2_32|wsock32|msvcrt|ole32|winmm|version|shlwapi|msvfw32|avifil32)\.dll$'
for f in korbinen.dll quorvinx.exe; do
    dump=$($objdump -p "$bin/$f") || { echo "$f: cannot read"; status=1; continue; }
    grep -q "file format $format" <<<"$dump" || { echo "$f: not a $format file"; status=1; }
    while read -r dll; do
        if ! grep -qiE "$system" <<<"$dll"; then echo "$f imports $dll"; status=1; fi
    done < <(grep 'DLL Name:' <<<"$dump" | awk '{print $3}')
done
exports=$($objdump -p "$bin/korbinen.dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s*\[ *[0-9]+\]' | awk '{print $NF}')
[ "$exports" = "FMExtensionProc" ] || { echo "korbinen.dll exports: $exports"; status=1; }
$objdump -p "$bin/quorvinx.exe" | grep -qE 'Subsystem\s+00000002' || { echo "quorvinx.exe is not a GUI program"; status=1; }
[ $status = 0 ] && echo "binaries are self-contained; korbinen.dll exports FMExtensionProc"
exit $status
