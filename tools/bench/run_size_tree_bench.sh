#!/usr/bin/env bash
# Size tree benchmark: a deterministic tree of depth 8 (3 subfolders and 3
# files per folder: 3,280 folders, 9,840 files) in /tmp, and the same twice
# (two copies side by side). Summed by the native rules on a POSIX walk (once
# per subtree, and by re-walking every node's subtree as a check of the
# labels), by the real helper under Wine where Wine runs (letter 3, pattern
# "*"), and by du -s on the same trees. The top label's KB must be the byte
# total that find reports. Measures only.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY, WINEPREFIX as for scripts/test.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
base=${BENCH_TREE:-/tmp/korb-size-bench}
depth=${BENCH_DEPTH:-8}

if [ ! -f "$base/.complete" ]; then
    echo "writing the trees into $base ..."
    rm -rf "$base"
    python3 "$root/tools/bench/make_size_tree.py" "$base/one" "$depth" 3 3 &&
        cp -r "$base/one" "$base/two" && touch "$base/.complete"
fi
find "$base" -type f >/dev/null # metadata into the cache
du -s "$base" >/dev/null

seconds() { # runs the command, prints its wall time in seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/tmp/korb-size-out.$$ 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

bytes=$(find "$base/one" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
files=$(find "$base/one" -type f | wc -l)
folders=$(find "$base/one" -type d | wc -l)
echo "tree: depth $depth, $folders folders, $files files, $bytes bytes ($((bytes / 1024)) KB) per copy"
t_du1=$(seconds du -s "$base/one")
t_du2=$(seconds du -s "$base/one" "$base/two")

cmake -S "$root" -B "$BUILD_DIR/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD_DIR/native" --target size_tree_bench -j2 >/dev/null || exit 1
t_r1=$(seconds "$BUILD_DIR/native/size_tree_bench" "$base/one")
r1=$(cat /tmp/korb-size-out.$$)
t_r2=$(seconds "$BUILD_DIR/native/size_tree_bench" "$base")
r2=$(cat /tmp/korb-size-out.$$)
echo "native rules, one copy : ${t_r1}s   $r1"
echo "native rules, two copies: ${t_r2}s   $r2"
echo "du -s, one copy : ${t_du1}s"
echo "du -s, two copies: ${t_du2}s"
ratio() { echo "scale=2; $1 / $2" | bc -l; }
# What the helper does (build, then sums once), without the re-walk check.
work() { echo "$1" | sed -n 's/.*build \([0-9.]*\)s  sums once \([0-9.]*\)s.*/\1 + \2/p' | bc -l; }
w1=$(work "$r1")
w2=$(work "$r2")
echo "build + sums once: one copy ${w1}s, two copies ${w2}s"
echo "build + sums once to du -s: $(ratio "$w1" "$t_du1"); growth for twice the files: rules $(ratio "$w2" "$w1"), du $(ratio "$t_du2" "$t_du1")"

if ! wine --version >/dev/null 2>&1 || ! [ -f "$BUILD_DIR/win32/bin/quorvinx.exe" ]; then
    echo "helper (Wine): not measured, Wine does not run here"
    rm -f /tmp/korb-size-out.$$
    exit 0
fi
cmake --build "$BUILD_DIR/win32" --target sizedrive quorvinx -j2 >/dev/null || exit 1
source "$root/scripts/wine-env.sh"
start_display
trap stop_display EXIT
prepare_prefix
one=$(winepath -w "$base/one" 2>/dev/null)
two=$(winepath -w "$base/two" 2>/dev/null)
drive() {
    wine "$BUILD_DIR/win32/bin/sizedrive.exe" "$BUILD_DIR/win32/bin/quorvinx.exe" "$@" 2>/dev/null | tr -d '\r'
}
out1=$(drive "$one")
out2=$(drive "$one" "$two")
t_h1=$(echo "$out1" | sed -n 's/^seconds \([0-9.]*\).*/\1/p')
t_h2=$(echo "$out2" | sed -n 's/^seconds \([0-9.]*\).*/\1/p')
rm -f /tmp/korb-size-out.$$

echo "helper (Wine), one copy : ${t_h1}s"
echo "$out1" | sed 's/^/    /'
echo "helper (Wine), two copies: ${t_h2}s"
echo "$out2" | sed 's/^/    /'
echo "growth for twice the files: helper $(ratio "$t_h2" "$t_h1"), du $(ratio "$t_du2" "$t_du1")"
echo "helper to du -s: $(ratio "$t_h1" "$t_du1")"
exit 0
