#!/usr/bin/env bash
# Installs what is missing, builds both trees, runs the native tests and then
# the Windows tests under Wine, and ends with one line "N passed, N failed".
# Extra arguments go to ctest for the Wine tests (for example -R texts).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}

if [ "$(id -u)" = 0 ]; then bash "$root/scripts/setup.sh" || exit 1; fi
bash "$root/scripts/build.sh" || { echo "0 passed, 1 failed"; exit 1; }

source "$root/scripts/wine-env.sh"
reports=("$BUILD_DIR/native/reports")
rm -rf "$BUILD_DIR/native/reports"
mkdir -p "$BUILD_DIR/native/reports"
ctest --test-dir "$BUILD_DIR/native" --output-on-failure --output-junit "$BUILD_DIR/native/reports/ctest.xml"

# The fuzz targets, FUZZ_SECONDS each (0 skips them); a run that picks Wine
# tests with ctest arguments skips them too.
if [ $# -eq 0 ] && [ "${FUZZ_SECONDS:-30}" != 0 ]; then
    echo "== Fuzz targets, ${FUZZ_SECONDS:-30} s each"
    bash "$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-30}"
    reports+=("$BUILD_DIR/fuzz/reports")
fi

start_display
trap stop_display EXIT
prepare_prefix || { echo "0 passed, 1 failed"; exit 1; }
for tree in win32 win64; do
    rm -rf "$BUILD_DIR/$tree/reports"
    mkdir -p "$BUILD_DIR/$tree/reports"
    reports+=("$BUILD_DIR/$tree/reports")
    if [[ " $WINE_TREES " == *" $tree "* ]]; then
        echo "== Wine tests of the $tree binaries"
        ctest --test-dir "$BUILD_DIR/$tree" --output-on-failure --output-junit "$BUILD_DIR/$tree/reports/ctest.xml" "$@"
    else
        # This machine cannot run them; their build is still checked.
        echo "== $tree binaries: checked, not run (this machine does not run them)"
        ctest --test-dir "$BUILD_DIR/$tree" --output-on-failure --output-junit "$BUILD_DIR/$tree/reports/ctest.xml" \
              -R binaries_are_self_contained
    fi
done

python3 "$root/scripts/summarize.py" "${reports[@]}"
