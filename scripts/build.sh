#!/usr/bin/env bash
# Configures and builds the trees: native rules with tests, and the Windows
# binaries for 32-bit (win32) and 64-bit (win64) Windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j"$(nproc)"
for arch in win32:i686 win64:x86_64; do
    tree=${arch%%:*}
    cmake -S "$root" -B "$build/$tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-${arch#*:}.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    # Everything, the 32-bit test programs too: where the kernel runs no 32-bit
    # programs they cannot run, but they must still build (a calling
    # convention slip shows only in the 32-bit compiler).
    cmake --build "$build/$tree" -j"$(nproc)"
done
