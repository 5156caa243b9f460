#!/usr/bin/env bash
# Packs the release zips from the built trees and checks them: each holds
# exactly korbinen.dll, quorvinx.exe, the two help files and INSTALL.txt, of
# its architecture (the help files identical in both); and
# the 64-bit one, installed into a fresh prefix as INSTALL.txt says (all files
# into the File Manager's folder, the DLL listed under [AddOns] of the File
# Manager's settings file in the user's application-data folder), is loaded by
# fmhost standing in for the File Manager. Runs with the environment of
# scripts/test.sh (WINE, DISPLAY).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?build folder}
work=$(mktemp -d)
trap 'WINEPREFIX=$work/prefix wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT
status=0
fail() { echo "check-release: $*"; status=1; }

BUILD_DIR=$build bash "$root/scripts/package.sh" --no-build "$work/dist" >/dev/null || { echo "packing failed"; exit 1; }
for tree in win32 win64; do
    zip=$work/dist/korbinen-$tree.zip
    names=$(python3 -c 'import sys, zipfile; print(" ".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")
    [ "$names" = "INSTALL.txt korbinen.dll korbinex.hlp quorvin.hlp quorvinx.exe" ] || fail "$tree zip holds: $names"
    mkdir -p "$work/$tree" && python3 -m zipfile -e "$zip" "$work/$tree"
    arch=i686 format=pei-i386
    [ "$tree" = win64 ] && arch=x86_64 format=pei-x86-64
    for f in korbinen.dll quorvinx.exe; do
        $arch-w64-mingw32-objdump -f "$work/$tree/$f" | grep -q "file format $format" || fail "$tree/$f is not $format"
    done
    for f in korbinex.hlp quorvin.hlp; do
        [ "$(head -c 4 "$work/$tree/$f" | od -An -tx1 | tr -d ' ')" = 3f5f0300 ] || fail "$tree/$f is no help file"
    done
    grep -q $'^ *\[AddOns\]\r$' "$work/$tree/INSTALL.txt" || fail "$tree INSTALL.txt lacks the [AddOns] example or CR LF"
done
for f in korbinex.hlp quorvin.hlp; do
    cmp -s "$work/win32/$f" "$work/win64/$f" || fail "$f differs between the zips"
done

# The install, step by step, in a prefix of its own.
export WINEPREFIX=$work/prefix
"$WINE" wineboot -i >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
folder="$WINEPREFIX/drive_c/Program Files/Winfile"
mkdir -p "$folder"
cp "$build/win64/bin/fmhost.exe" "$folder/"
python3 -m zipfile -e "$work/dist/korbinen-win64.zip" "$folder"
appdata=$("$WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
settings=$("$WINE" winepath -u "$appdata\\Microsoft\\Winfile" 2>/dev/null)
[ -n "$appdata" ] && [ -n "$settings" ] || fail "no application-data folder in the prefix"
mkdir -p "$settings"
printf '[AddOns]\r\nkorbinen=C:\\Program Files\\Winfile\\korbinen.dll\r\n' >"$settings/WINFILE.INI"
(cd "$folder" && "$WINE" fmhost.exe "/ini:$appdata\\Microsoft\\Winfile\\WINFILE.INI" "/report:C:\\report.txt" \
    /closeafter:8 'C:\' >/dev/null 2>&1)
report=$WINEPREFIX/drive_c/report.txt
grep -q '^extension korbinen 700 C:\\Program Files\\Winfile\\korbinen.dll' "$report" 2>/dev/null ||
    fail "fmhost did not load the installed extension: $(cat "$report" 2>/dev/null | grep -E 'extension|problem')"
grep -q '^popup &Extra' "$report" 2>/dev/null || fail "no \"&Extra\" menu after the install"
[ $status = 0 ] && echo "both release zips hold their three files; the 64-bit install loads in fmhost"
exit $status
