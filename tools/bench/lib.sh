# Sourced by the benchmark scripts: the paths, the build of the benchmark
# programs, wall timing with best-of-N bookkeeping, ratios, and the Wine
# display and prefix (a prefix of its own below the build tree).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
bench_out=$(mktemp)
declare -A BEST OUT

now() { date +%s.%N; }

# Runs the command; its wall time in seconds goes to stdout, its output to $bench_out.
wall() {
    local start end
    start=$(now)
    "$@" >"$bench_out" 2>/dev/null
    end=$(now)
    echo "$end - $start" | bc -l
}

# The number after NAME in LINE ("files 12 seconds 3.4": field seconds ... gives 3.4).
field() { echo " $2" | tr -d '\r' | sed -n "s/.* $1 \\([0-9.]*\\).*/\\1/p" | head -1; }

# Keeps the smaller of KEY's time so far and SECONDS (best of N), and the output line.
keep() {
    local key=$1 seconds=$2 line=${3:-}
    [ -n "$seconds" ] || return 0
    if [ -z "${BEST[$key]:-}" ] || [ "$(echo "$seconds < ${BEST[$key]}" | bc -l)" = 1 ]; then
        BEST[$key]=$seconds
    fi
    OUT[$key]=$line
}

# Times a command by the wall clock: timed KEY CMD...
timed() {
    local key=$1
    shift
    local t
    t=$(wall "$@")
    keep "$key" "$t" "$(tr -d '\r' <"$bench_out" | tail -1)"
}

# Takes the time a program reports itself: reported KEY FIELD CMD...
reported() {
    local key=$1 name=$2
    shift 2
    "$@" >"$bench_out" 2>/dev/null
    local line
    line=$(tr -d '\r' <"$bench_out" | grep -m1 -E "(^| )$name ")
    keep "$key" "$(field "$name" "$line")" "$line"
}

ratio() { [ -n "${1:-}" ] && [ -n "${2:-}" ] && echo "scale=2; $1 / $2" | bc -l | sed 's/^\./0./' || echo "-"; }
secs() { [ -n "${1:-}" ] && printf '%.3f' "$1" || echo "-"; }

build_bench_programs() {
    cmake -S "$root" -B "$BUILD_DIR/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
        cmake --build "$BUILD_DIR/native" -j2 --target content_search_bench equal_files_bench size_tree_bench >/dev/null &&
        cmake --build "$BUILD_DIR/win64" -j2 --target quorvinx korbinen searchdrive extsearch sizedrive benchfloor ftpbench >/dev/null
}

# Wine for the measured Windows programs: one display, the benchmark's own prefix.
start_wine() {
    export PREFIX_NAME=benchprefix KEEP_PREFIX=${KEEP_PREFIX:-1}
    source "$root/scripts/wine-env.sh"
    start_display
    prepare_prefix
    WIN=$BUILD_DIR/win64/bin
}

stop_wine() { stop_display; rm -f "$bench_out"; }

winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
