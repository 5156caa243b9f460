#!/usr/bin/env bash
# Download and upload of a 100 MB file over loopback against vsftpd: the FTP
# client under Wine against curl on the same server and file, in one run.
# Run as root (vsftpd needs it) after a build; prints MB/s of both.
# FTPBENCH_EXE chooses another build of the client program.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
source "$root/scripts/wine-env.sh"
state=$BUILD_DIR/ftpbench
fixture="python3 $root/tests/ftp/ftp_fixture.py"
services=$WINEPREFIX/drive_c/windows/system32/drivers/etc/services
work=$(mktemp -d)

cleanup() {
    [ -f "$work/services" ] && cp "$work/services" "$services"
    $fixture stop "$state" >/dev/null
    rm -rf "$work"
    stop_display
}
trap cleanup EXIT
start_display
prepare_prefix
$fixture start "$state" --big-mb 100 >/dev/null
port=$(sed -n 's/^vsftpd_port=//p' "$state/state.ini")
[ "$port" != 0 ] || { echo "vsftpd did not start (run as root)"; exit 1; }
tree=$(sed -n 's/^tree=//p' "$state/state.ini")

# The client finds the server through the prefix's service entry "ftp".
cp "$services" "$work/services"
{ grep -v -E '^ftp[[:space:]]' "$work/services"; printf 'ftp\t\t%s/tcp\n' "$port"; } > "$services"

now() { date +%s.%N; }
rate() { python3 -c "print('%.1f' % ($1 / ($3 - $2)))"; }

read -r mb wine_down wine_up < <(wine "${FTPBENCH_EXE:-$BUILD_DIR/win32/bin/ftpbench.exe}" 127.0.0.1 /pub/bench.bin \
    "Z:$work/wine.bin" /incoming/wine.bin)
cmp "$work/wine.bin" "$tree/pub/bench.bin"
cmp "$tree/incoming/wine.bin" "$tree/pub/bench.bin"

# curl in active mode too, as the client works.
t0=$(now)
curl -s -S -P 127.0.0.1 -o "$work/curl.bin" "ftp://127.0.0.1:$port/pub/bench.bin"
t1=$(now)
curl -s -S -P 127.0.0.1 -T "$work/curl.bin" "ftp://127.0.0.1:$port/incoming/curl.bin"
t2=$(now)
cmp "$work/curl.bin" "$tree/pub/bench.bin"

echo "file: $mb MB over loopback, vsftpd, active mode"
echo "download: client under Wine $(python3 -c "print('%.1f' % ($mb / $wine_down))") MB/s, curl $(rate "$mb" "$t0" "$t1") MB/s"
echo "upload:   client under Wine $(python3 -c "print('%.1f' % ($mb / $wine_up))") MB/s, curl $(rate "$mb" "$t1" "$t2") MB/s"
