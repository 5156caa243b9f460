#!/usr/bin/env bash
# Content search benchmark: a deterministic tree of 20,000 files and about
# 520 MB in /tmp, searched (cached) for one term by the native search rules,
# by the real helper under Wine, by grep -r -i -F and by rg -i -F; prints the
# times and their ratios to grep. Measures only; never fails a build.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY, KORBINEN_WINEPREFIX as for scripts/test.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
tree=${BENCH_TREE:-/tmp/korb-search-bench}
term=${BENCH_TERM:-needle}

if [ ! -f "$tree/.complete" ]; then
    echo "writing the tree into $tree ..."
    rm -rf "$tree"
    python3 "$root/tools/bench/make_search_tree.py" "$tree" 20000 520 && touch "$tree/.complete"
fi
echo "tree: $(find "$tree" -type f -name '*.txt' | wc -l) files, $(du -sm "$tree" | cut -f1) MB"

cmake -S "$root" -B "$BUILD_DIR/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD_DIR/native" --target content_search_bench -j2 >/dev/null || exit 1
cat $(find "$tree" -type f) >/dev/null # into the page cache

seconds() { # runs the command, prints its wall time in seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/tmp/korb-bench-out.$$ 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

t_rule=$(seconds "$BUILD_DIR/native/content_search_bench" "$tree" "$term")
rule_out=$(cat /tmp/korb-bench-out.$$)
t_grep=$(seconds grep -r -i -F "$term" "$tree")
grep_hits=$(wc -l </tmp/korb-bench-out.$$)
t_rg=$(seconds rg -i -F "$term" "$tree")
rg_hits=$(wc -l </tmp/korb-bench-out.$$)

t_wine=
if [ -x "$(command -v wine)" ] && [ -f "$BUILD_DIR/win64/bin/quorvinx.exe" ]; then
    cmake --build "$BUILD_DIR/win64" --target searchdrive quorvinx -j2 >/dev/null || exit 1
    source "$root/scripts/wine-env.sh"
    start_display
    trap stop_display EXIT
    prepare_prefix
    winetree=$("$WINE" winepath -w "$tree" 2>/dev/null)
    "$WINE" "$BUILD_DIR/win64/bin/searchdrive.exe" "$BUILD_DIR/win64/bin/quorvinx.exe" "$winetree" "$term" \
        >/tmp/korb-bench-out.$$ 2>/dev/null
    wine_out=$(tr -d '\r' </tmp/korb-bench-out.$$)
    t_wine=$(echo "$wine_out" | sed -n 's/.*seconds \([0-9.]*\).*/\1/p')
fi
rm -f /tmp/korb-bench-out.$$

echo "native rule : ${t_rule}s   ($rule_out)"
echo "grep -r -i -F: ${t_grep}s   ($grep_hits lines)"
echo "rg -i -F     : ${t_rg}s   ($rg_hits lines)"
[ -n "$t_wine" ] && echo "helper (Wine): ${t_wine}s   ($wine_out)"
ratio() { echo "scale=2; $1 / $2" | bc -l; }
echo "ratios to grep: rule $(ratio "$t_rule" "$t_grep"), rg $(ratio "$t_rg" "$t_grep")${t_wine:+, helper $(ratio "$t_wine" "$t_grep")}"
[ -n "$t_wine" ] && echo "helper to native rule: $(ratio "$t_wine" "$t_rule")"
exit 0
