#!/usr/bin/env bash
# Keeps docs/bad-inputs.md current: every test its table names in backticks
# (Suite.Name for a GoogleTest case, fuzz_name for a fuzz target) must exist.
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
table=$root/docs/bad-inputs.md
[ -f "$table" ] || { echo "missing $table"; exit 1; }
missing=0 named=0
while read -r name; do
    named=$((named + 1))
    if [[ $name == fuzz_* ]]; then
        [ -f "$root/tests/fuzz/$name.cpp" ] && continue
    else
        suite=${name%%.*} test=${name#*.}
        grep -rqE "^TEST(_F|_P)?\($suite, *$test\)" "$root/tests" && continue
    fi
    echo "docs/bad-inputs.md names a test that does not exist: $name"
    missing=1
done < <(grep '^|' "$table" | awk -F'|' '{print $(NF-1)}' | grep -oE '`[A-Za-z0-9_]+(\.[A-Za-z0-9_]+)?`' | tr -d '`')
[ "$named" -gt 0 ] || { echo "docs/bad-inputs.md names no tests"; exit 1; }
[ "$missing" = 0 ] && echo "all $named tests named in docs/bad-inputs.md exist"
exit $missing
