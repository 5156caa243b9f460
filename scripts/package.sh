#!/usr/bin/env bash
# Builds both architectures and packs the release: dist/korbinen-win32.zip and
# dist/korbinen-win64.zip, each with korbinen.dll, quorvinx.exe, their help
# files korbinex.hlp and quorvin.hlp, and INSTALL.txt.
# Options: --no-build (pack what is built already) and an output folder
# instead of dist/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=$root/dist
build_first=1
for arg in "$@"; do
    case $arg in
        --no-build) build_first=0 ;;
        *) out=$arg ;;
    esac
done
if [ "$build_first" = 1 ]; then
    if [ "$(id -u)" = 0 ]; then bash "$root/scripts/setup.sh"; fi
    BUILD_DIR=$build bash "$root/scripts/build.sh"
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
for tree in win32 win64; do
    stage=$(mktemp -d)
    cp "$build/$tree/bin/korbinen.dll" "$build/$tree/bin/quorvinx.exe" "$build/$tree/bin/korbinex.hlp" \
       "$build/$tree/bin/quorvin.hlp" "$stage/"
    # Windows users read it in Notepad: CR LF line ends.
    sed 's/$/\r/' "$root/resources/install/INSTALL.txt" >"$stage/INSTALL.txt"
    rm -f "$out/korbinen-$tree.zip"
    (cd "$stage" && python3 -m zipfile -c "$out/korbinen-$tree.zip" korbinen.dll quorvinx.exe korbinex.hlp quorvin.hlp INSTALL.txt)
    rm -rf "$stage"
    echo "package: $out/korbinen-$tree.zip"
done
