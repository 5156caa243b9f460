#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer, ASan, UBSan)
# and runs each for SECONDS (default 30), two at a time. Each run starts from
# the seed corpus in the repository plus what earlier runs in this build tree
# found. Writes a report folder for the test summary and a table of seconds,
# executions and findings; a finding (a crash, a sanitizer report, a
# differing result, a hang) fails the run and leaves its input in
# BUILD_DIR/fuzz/findings.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}/fuzz
seconds=${1:-30}
shift || true
reports=$build/reports
rm -rf "$reports"
mkdir -p "$reports" "$build/findings"

report() { # report NAME STATUS MESSAGE ... as one CTest-style case per target
    printf '<testcase name="%s" status="%s">%s</testcase>\n' "$1" "$2" \
        "$([ "$2" = fail ] && printf '<failure message="%s"/>' "$3")" >>"$reports/cases"
}
finish() {
    { echo '<testsuite name="fuzz">'; cat "$reports/cases" 2>/dev/null; echo '</testsuite>'; } >"$reports/ctest.xml"
}
trap finish EXIT

if ! cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >"$build/configure.log" 2>&1 ||
    ! cmake --build "$build" -j2 >"$build/build.log" 2>&1; then
    tail -n 30 "$build/configure.log" "$build/build.log"
    report fuzz_build fail "the fuzz targets did not build"
    exit 1
fi

targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(cd "$root/tests/fuzz" && ls fuzz_*.cpp | sed 's/\.cpp$//')

run_one() {
    local name=$1 corpus=$build/corpus/$1
    mkdir -p "$corpus"
    # -timeout: one input taking this long is a hang, and a finding.
    /usr/bin/time -f '%U %S' -o "$build/$name.cpu" "$build/$name" -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
        "$corpus" "$root/tests/fuzz/corpus/$name" >"$build/$name.log" 2>&1
    echo $? >"$build/$name.status"
}
export -f run_one
export build root seconds
printf '%s\n' "${targets[@]}" | xargs -P2 -I{} bash -c 'run_one {}'

failed=0
printf '%-22s %8s %8s %12s %10s  %s\n' target seconds cpu-s executions exec/s findings
for name in "${targets[@]}"; do
    status=$(cat "$build/$name.status" 2>/dev/null || echo 1)
    execs=$(sed -n 's/^stat::number_of_executed_units: //p' "$build/$name.log")
    cpu=$(tail -n 1 "$build/$name.cpu" 2>/dev/null | awk '{printf "%.0f", $1 + $2}')
    findings=0
    if [ "$status" != 0 ]; then
        findings=1
        failed=1
        grep -E -m3 'ERROR|SUMMARY|Test unit written' "$build/$name.log"
        report "$name" fail "finding: see $build/$name.log"
    else
        report "$name" pass
    fi
    printf '%-22s %8s %8s %12s %10s  %s\n' "$name" "$seconds" "${cpu:-?}" "${execs:-?}" \
        "$(( ${execs:-0} / (seconds > 0 ? seconds : 1) ))" "$findings"
done
exit $failed
