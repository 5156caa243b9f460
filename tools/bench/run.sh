#!/usr/bin/env bash
# The performance suite in one run: generates the reference inputs below
# build/bench-data, times every tool (the rules natively, the real helper and extension
# under Wine) against its outside reference and against the platform's floor
# (tools/benchfloor) on the same input, interleaved, best of N, and prints one
# table, also written to docs/benchmarks/DATE-HOST.md with the machine and its
# load. Measures only; never fails a build.
#   --scale F   input sizes times F (default 1: 20,000 files / 520 MB, ...)
#   --runs N    best of N (default 3)
#   --only LIST comma-separated sections: content,names,equal,sizes,ftp,start
#   --no-save   print only
# FTP needs root (vsftpd); without it that row says so.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
scale=1 runs=3 only=content,names,equal,sizes,ftp,start save=1
while [ $# -gt 0 ]; do
    case $1 in
    --scale) scale=$2; shift ;;
    --runs) runs=$2; shift ;;
    --only) only=$2; shift ;;
    --no-save) save= ;;
    *) echo "usage: $0 [--scale F] [--runs N] [--only LIST] [--no-save]" >&2; exit 2 ;;
    esac
    shift
done
wanted() { [[ ",$only," == *",$1,"* ]]; }
scaled() { python3 -c "print(max(2, int($1 * $scale)))"; }
data=$BUILD_DIR/bench-data/scale-$scale
mkdir -p "$data"
build_bench_programs || { echo "build failed"; exit 1; }
start_wine
trap stop_wine EXIT
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
ROWS=()
# row TOOL INPUT OURS_KEY REF_NAME REF_KEY FLOOR_KEY [NOTE]
row() {
    ROWS+=("| $1 | $2 | $(secs "${BEST[$3]:-}") | $4 | $(secs "${BEST[$5]:-}") | $(ratio "${BEST[$3]:-}" "${BEST[$5]:-}") | $(secs "${BEST[$6]:-}") | $(ratio "${BEST[$3]:-}" "${BEST[$6]:-}") | ${7:-} |")
}
# growth SMALL_OURS BIG_OURS SMALL_REF BIG_REF: how each time grows from the smaller input to the larger.
growth() { echo "ours $(ratio "${BEST[$2]:-}" "${BEST[$1]:-}")×, ref $(ratio "${BEST[$4]:-}" "${BEST[$3]:-}")×"; }

# Two halves a and b: the half and the whole are the two input sizes.
make_tree() { # DIR SCRIPT ARGS-PER-HALF...
    local dir=$1 script=$2
    shift 2
    [ -f "$dir/.complete" ] && return 0
    echo "writing $dir ..." >&2
    rm -rf "$dir"
    python3 "$root/tools/bench/$script" "$dir/a" "$@" && python3 "$root/tools/bench/$script" "$dir/b" "$@" &&
        touch "$dir/.complete"
}

if wanted content; then
    tree=$data/content
    make_tree "$tree" make_search_tree.py "$(scaled 10000)" "$(scaled 260)"
    cat $(find "$tree" -type f) >/dev/null
    term=needle
    for r in $(seq "$runs"); do
        for part in a all; do
            dir=$tree/$part
            [ $part = all ] && dir=$tree
            reported rule.$part seconds "$BUILD_DIR/native/content_search_bench" "$dir" "$term"
            timed grep.$part bash -c "grep -r -i -F '$term' '$dir' | wc -l"
            timed rg.$part bash -c "rg -i -F -j1 '$term' '$dir' | wc -l"
            reported floor.$part seconds "$WINE" "$WIN/benchfloor.exe" content "$(winpath "$dir")"
            reported collectfloor.$part seconds "$WINE" "$WIN/benchfloor.exe" names "$(winpath "$dir")"
            reported helper.$part seconds "$WINE" "$WIN/searchdrive.exe" "$WIN/quorvinx.exe" "$(winpath "$dir")" "$term" 1
            reported ext.$part seconds "$WINE" "$WIN/extsearch.exe" "$(winpath "$WIN/korbinen.dll")" "$(winpath "$dir")" "$term"
        done
    done
    hits="rule $(field hits "${OUT[rule.all]}"), grep ${OUT[grep.all]}, rg ${OUT[rg.all]}, helper $(field hits "${OUT[helper.all]}"), extension $(field hits "${OUT[ext.all]}") hits"
    files=$(field files "${OUT[rule.all]}")
    row "content search, rule (native)" "$files files" rule.all "grep -r -i -F" grep.all - "$hits; rg -j1 $(secs "${BEST[rg.all]}") s (rule/rg $(ratio "${BEST[rule.all]}" "${BEST[rg.all]}")); growth half→all $(growth rule.a rule.all grep.a grep.all)"
    # The helper first collects the files in a walk of its own (one pump per file), then searches them.
    [ -n "${BEST[floor.all]:-}" ] && [ -n "${BEST[collectfloor.all]:-}" ] &&
        BEST[bothfloors]=$(echo "${BEST[floor.all]} + ${BEST[collectfloor.all]}" | bc -l)
    row "content search, helper (Wine)" "$files files" helper.all "grep -r -i -F" grep.all floor.all "with the collecting walk the helper must do first (walk + pump per file, $(secs "${BEST[collectfloor.all]:-}") s) the floor is $(secs "${BEST[bothfloors]:-}") s, ratio $(ratio "${BEST[helper.all]:-}" "${BEST[bothfloors]:-}"); growth half→all: $(growth helper.a helper.all floor.a floor.all) (ref = floor)"
    row "content search, extension (Wine)" "$files files" ext.all "grep -r -i -F" grep.all floor.all "korbinen.dll in-process (Windows 3.10); growth half→all: $(growth ext.a ext.all floor.a floor.all) (ref = floor)"
fi

if wanted equal || wanted names; then
    for n in $(scaled 200000) $(scaled 1000000); do
        for r in $(seq "$runs"); do
            reported table.$n grouping "$BUILD_DIR/native/equal_files_bench" --table "$n" "$data/keys.$n" 'NAME0001*'
            keep tablenames.$n "$(field names "${OUT[table.$n]}")"
            timed uniq.$n bash -c "sort '$data/keys.$n' | uniq -d | wc -l"
            timed grepnames.$n bash -c "grep -c -i '^name0001' '$data/keys.$n'"
        done
    done
    small=$(scaled 200000) big=$(scaled 1000000)
    tree=$data/names
    make_tree "$tree" make_equal_tree.py "$(scaled 25000)"
    find "$tree" >/dev/null
    for r in $(seq "$runs"); do
        for part in a all; do
            dir=$tree/$part
            [ $part = all ] && dir=$tree
            wanted equal && timed find.$part bash -c "find '$dir' -type f ! -name '.*' -printf '%f\t%s\n' | sort | uniq -d | wc -l"
            wanted names && timed findname.$part bash -c "find '$dir' -type f -iname 'name0001*' | wc -l"
            reported walkfloor.$part seconds "$WINE" "$WIN/benchfloor.exe" walk "$(winpath "$dir")"
            wanted equal && reported equalfloor.$part seconds "$WINE" "$WIN/benchfloor.exe" equal "$(winpath "$dir")"
            wanted names && reported namefloor.$part seconds "$WINE" "$WIN/benchfloor.exe" names "$(winpath "$dir")"
            wanted equal && reported equal.$part seconds "$WINE" "$WIN/searchdrive.exe" "$WIN/quorvinx.exe" "$(winpath "$dir")" - 2
            wanted names && reported names.$part seconds "$WINE" "$WIN/searchdrive.exe" "$WIN/quorvinx.exe" "$(winpath "$dir")" 'NAME0001*' 4
        done
    done
    files=$(field files "${OUT[walkfloor.all]}")
    if wanted equal; then
        row "equal files, rule (native)" "$small entries" table.$small "sort \\| uniq -d" uniq.$small - "groups $(field groups "${OUT[table.$small]}") / $(echo "${OUT[uniq.$small]}")"
        row "equal files, rule (native)" "$big entries" table.$big "sort \\| uniq -d" uniq.$big - "groups $(field groups "${OUT[table.$big]}") / $(echo "${OUT[uniq.$big]}"); growth ×$((big / small)) entries: $(growth table.$small table.$big uniq.$small uniq.$big)"
        row "equal files, helper (Wine)" "$files files" equal.all "find \| sort \| uniq -d" find.all walkfloor.all "floor = walk only; with the pumps the tool must do (one per file walking, one per entry comparing) $(secs "${BEST[equalfloor.all]:-}") s, ratio $(ratio "${BEST[equal.all]:-}" "${BEST[equalfloor.all]:-}"); groups $(field files-with-hits "${OUT[equal.all]}") / ${OUT[find.all]}; growth half→all: $(growth equal.a equal.all walkfloor.a walkfloor.all) (ref = floor)"
    fi
    if wanted names; then
        row "name search, rule (native)" "$big entries" tablenames.$big "grep -c -i" grepnames.$big - "matched $(field matched "${OUT[table.$big]}") / ${OUT[grepnames.$big]}; growth: $(growth tablenames.$small tablenames.$big grepnames.$small grepnames.$big)"
        row "name search, helper (Wine)" "$files files" names.all "find -iname" findname.all namefloor.all "floor = walk + pump per file; hits $(field hits "${OUT[names.all]}") / ${OUT[findname.all]}; growth half→all: $(growth names.a names.all namefloor.a namefloor.all) (ref = floor)"
    fi
fi

if wanted sizes; then
    base=$data/sizes
    if [ ! -f "$base/.complete" ]; then
        rm -rf "$base"
        python3 "$root/tools/bench/make_size_tree.py" "$base/a" 8 3 3 && cp -r "$base/a" "$base/b" && touch "$base/.complete"
    fi
    du -s "$base" >/dev/null
    for r in $(seq "$runs"); do
        for part in a all; do
            if [ $part = a ]; then dirs=("$base/a"); else dirs=("$base/a" "$base/b"); fi
            wdirs=()
            for d in "${dirs[@]}"; do wdirs+=("$(winpath "$d")"); done
            timed du.$part du -s "${dirs[@]}"
            "$BUILD_DIR/native/size_tree_bench" "${dirs[0]}" >"$bench_out" 2>&1
            line=$(head -1 "$bench_out")
            keep sizerule.$part "$(echo "$line" | sed -n 's/.*build \([0-9.]*\)s  sums once \([0-9.]*\)s.*/\1 + \2/p' | bc -l)" "$line"
            t=0
            for d in "${wdirs[@]}"; do
                "$WINE" "$WIN/benchfloor.exe" walk "$d" >"$bench_out" 2>/dev/null
                t=$(echo "$t + $(field seconds "$(cat "$bench_out")")" | bc -l)
            done
            keep sizefloor.$part "$t"
            reported sizes.$part seconds "$WINE" "$WIN/sizedrive.exe" "$WIN/quorvinx.exe" "${wdirs[@]}"
        done
    done
    row "size tree, rule (native)" "depth 8, 9,840 files" sizerule.a "du -s" du.a - "${OUT[sizerule.a]%%top*}"
    row "size tree, helper (Wine)" "2 × depth 8" sizes.all "du -s" du.all sizefloor.all "floor = walk only; nodes $(field nodes "${OUT[sizes.all]}"); growth one→two copies: $(growth sizes.a sizes.all du.a du.all)"
fi

if wanted start; then
    for r in $(seq "$runs"); do
        mkdir -p "$data/empty"
        reported firstdialog first-dialog "$WINE" "$WIN/searchdrive.exe" "$WIN/quorvinx.exe" "$(winpath "$data/empty")" x 4
        timed winestart "$WINE" "$WIN/benchfloor.exe" walk 'C:\nonexistent'
    done
    row "helper start to first dialog (Wine)" "letter 4 prompt" firstdialog "a Win32 program's whole run" winestart - "the helper started by a Win32 program; the reference is a trivial program started from Linux"
fi

if wanted ftp; then
    state=$BUILD_DIR/bench-ftp
    fixture="python3 $root/tests/ftp/ftp_fixture.py"
    mb=$(scaled 100)
    services=$WINEPREFIX/drive_c/windows/system32/drivers/etc/services
    $fixture start "$state" --big-mb "$mb" >/dev/null 2>&1
    port=$(sed -n 's/^vsftpd_port=//p' "$state/state.ini" 2>/dev/null)
    if [ -n "$port" ] && [ "$port" != 0 ]; then
        ftree=$(sed -n 's/^tree=//p' "$state/state.ini")
        cp "$services" "$data/services.saved"
        { grep -v -E '^ftp[[:space:]]' "$data/services.saved"; printf 'ftp\t\t%s/tcp\n' "$port"; } >"$services"
        # Uploads go to new names in every round: the server refuses to overwrite.
        for r in $(seq "$runs"); do
            line=$("$WINE" "$WIN/ftpbench.exe" 127.0.0.1 /pub/bench.bin "$(winpath "$data/wine.bin")" /incoming/wine$r.bin 2>/dev/null | tr -d '\r')
            keep ftpdown "$(echo "$line" | cut -d' ' -f2)"
            keep ftpup "$(echo "$line" | cut -d' ' -f3)"
            cmp -s "$data/wine.bin" "$ftree/pub/bench.bin" && cmp -s "$ftree/incoming/wine$r.bin" "$ftree/pub/bench.bin" || keep ftpbad 1
            timed curldown curl -s -S -P 127.0.0.1 -o "$data/curl.bin" "ftp://127.0.0.1:$port/pub/bench.bin"
            timed curlup curl -s -S -P 127.0.0.1 -T "$data/curl.bin" "ftp://127.0.0.1:$port/incoming/curl$r.bin"
        done
        cp "$data/services.saved" "$services"
        rate() { [ -n "${1:-}" ] && echo "scale=1; $mb / $1" | bc -l || echo "-"; }
        ok=$([ -z "${BEST[ftpbad]:-}" ] && echo "files identical" || echo "FILES DIFFER")
        row "FTP download (Wine)" "$mb MB, loopback" ftpdown "curl -P" curldown - "$(rate "${BEST[ftpdown]:-}") vs $(rate "${BEST[curldown]}") MB/s; throughput $(ratio "${BEST[curldown]}" "${BEST[ftpdown]:-}") of curl's; $ok"
        row "FTP upload (Wine)" "$mb MB, loopback" ftpup "curl -P -T" curlup - "$(rate "${BEST[ftpup]:-}") vs $(rate "${BEST[curlup]}") MB/s; throughput $(ratio "${BEST[curlup]}" "${BEST[ftpup]:-}") of curl's"
    else
        ROWS+=("| FTP (Wine) | $mb MB | - | curl | - | - | - | - | vsftpd did not start (needs root) |")
    fi
    $fixture stop "$state" >/dev/null 2>&1
    rm -f "$data/wine.bin" "$data/curl.bin"
fi

load_after=$(cut -d' ' -f1-3 /proc/loadavg)
report() {
    echo "# Benchmark $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo
    echo "- machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(free -g | awk '/Mem:/ {print $2}') GB, $(uname -sr), $("$WINE" --version 2>/dev/null)"
    echo "- load average before / after: $load_before / $load_after (other developers building and testing in parallel)"
    echo "- commit $(git -C "$root" rev-parse --short HEAD)$(git -C "$root" diff --quiet HEAD || echo ' + changes'), scale $scale, best of $runs, interleaved; wall seconds, page cache warm"
    echo "- ours: the rules natively (-O2) or the real 64-bit helper (or korbinen.dll in a stand-in File Manager on Windows 3.10) under Wine, timed from the confirmed prompt to the finished result; floor: tools/benchfloor under the same Wine"
    echo
    echo "| tool | input | ours s | reference | ref s | ours/ref | floor s | ours/floor | notes |"
    echo "|---|---|---|---|---|---|---|---|---|"
    printf '%s\n' "${ROWS[@]}"
}
report | tee "$data/last.md"
if [ -n "$save" ]; then
    mkdir -p "$root/docs/benchmarks"
    cp "$data/last.md" "$root/docs/benchmarks/$(date -u +%Y-%m-%d-%H%M)-$(hostname -s).md"
fi
exit 0
