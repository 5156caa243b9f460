#!/usr/bin/env bash
# Equal-files benchmark, in one run: the native rule over 100,000 and 200,000
# synthetic entries against the comparison of every entry with every later
# one (timed on 10,000 and 20,000 entries and extrapolated; BENCH_FULL=1 runs
# it on all 200,000), then a real tree of 50,000 files: the native rule, the
# real helper under Wine (letter 2, walk and comparison), and
# find | sort | uniq -d as the outside reference for the number of groups.
# Measures only; never fails a build.
# Environment: BUILD_DIR (default build), BENCH_FILES (50000), XVFB_DISPLAY as for scripts/test.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
files=${BENCH_FILES:-50000}
tree=${BENCH_TREE:-/tmp/korb-equal-bench-$files}

cmake -S "$root" -B "$BUILD_DIR/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD_DIR/native" --target equal_files_bench -j2 >/dev/null || exit 1
echo "== synthetic file table (processor seconds)"
"$BUILD_DIR/native/equal_files_bench" 200000 ${BENCH_FULL:+--full}

if [ ! -f "$tree/.complete" ]; then
    echo "writing $files files into $tree ..."
    rm -rf "$tree"
    python3 "$root/tools/bench/make_equal_tree.py" "$tree" "$files" && touch "$tree/.complete"
fi
echo "== real tree: $(find "$tree" -type f ! -name '.*' | wc -l) files"
"$BUILD_DIR/native/equal_files_bench" --tree "$tree"
start=$(date +%s.%N)
groups=$(find "$tree" -type f ! -name '.*' -printf '%f\t%s\n' | sort | uniq -d | wc -l)
end=$(date +%s.%N)
echo "find | sort | uniq -d: $groups groups, $(echo "$end - $start" | bc -l) s (wall)"

# The Windows tree: win64 where the machine runs only 64-bit Wine, else win32.
wintree=$BUILD_DIR/win32
[ -f "$BUILD_DIR/win64/bin/quorvinx.exe" ] && wintree=$BUILD_DIR/win64
if [ -x "$(command -v wine)" ] && [ -f "$wintree/bin/quorvinx.exe" ]; then
    cmake --build "$wintree" --target searchdrive quorvinx -j2 >/dev/null || exit 1
    source "$root/scripts/wine-env.sh"
    start_display
    trap stop_display EXIT
    prepare_prefix
    winetree=$(winepath -w "$tree" 2>/dev/null)
    out=$(wine "$wintree/bin/searchdrive.exe" "$wintree/bin/quorvinx.exe" "$winetree" - 2 2>/dev/null |
        tr -d '\r')
    echo "helper under Wine (start, walk, comparison; wall): $out"
    echo "(files-with-hits is the number of groups: compare it with the find line)"
fi
exit 0
