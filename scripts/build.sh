#!/usr/bin/env bash
# Configures and builds both trees: native rules with tests, and the Windows binaries.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j"$(nproc)"
cmake -S "$root" -B "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/win32" -j"$(nproc)"
