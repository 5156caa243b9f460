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
rm -rf "$BUILD_DIR/native/reports" "$BUILD_DIR/win32/reports"
mkdir -p "$BUILD_DIR/native/reports" "$BUILD_DIR/win32/reports"

ctest --test-dir "$BUILD_DIR/native" --output-on-failure --output-junit "$BUILD_DIR/native/reports/ctest.xml"

start_display
trap stop_display EXIT
prepare_prefix
ctest --test-dir "$BUILD_DIR/win32" --output-on-failure --output-junit "$BUILD_DIR/win32/reports/ctest.xml" "$@"

python3 "$root/scripts/summarize.py" "$BUILD_DIR/native/reports" "$BUILD_DIR/win32/reports"
