#!/usr/bin/env bash
# Builds everything and shows the extension at work under Wine: fmhost, the
# project's own small File Manager, opens on a small sample tree with
# korbinen.dll loaded; a driver selects the folder "docs", opens the "&Extra"
# menu, picks the content search, types "needle" into the helper's prompt and
# waits for the hits. On the user's display the steps are slow enough to
# watch; otherwise they run in a virtual screen. Either way a PNG of the open
# menu and one of the result dialog are saved and their paths printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}

if [ "$(id -u)" = 0 ]; then bash "$root/scripts/setup.sh"; fi
bash "$root/scripts/build.sh"

bin=$BUILD_DIR/win64/bin
for program in fmhost.exe korbinen.dll quorvinx.exe korbinex.hlp quorvin.hlp demo_driver.exe; do
    [ -f "$bin/$program" ] || { echo "demo: $bin/$program was not built" >&2; exit 1; }
done

# Whether an X display answers; without xdpyinfo (x11-utils is optional) a
# local display is judged by its socket and any other is taken on trust.
display_answers() {
    if command -v xdpyinfo >/dev/null 2>&1; then
        xdpyinfo -display "$1" >/dev/null 2>&1
    elif [[ $1 =~ ^:([0-9]+)(\.[0-9]+)?$ ]]; then
        [ -S "/tmp/.X11-unix/X${BASH_REMATCH[1]}" ]
    else
        true
    fi
}

# The user's display if it answers; otherwise a free virtual one.
user_display=${DISPLAY:-}
headless=1
if [ -n "$user_display" ] && display_answers "$user_display"; then
    XVFB_DISPLAY=$user_display
    headless=0
elif [ -z "${XVFB_DISPLAY:-}" ]; then
    for n in $(seq 90 120); do
        if ! [ -e "/tmp/.X11-unix/X$n" ] && ! [ -e "/tmp/.X$n-lock" ]; then
            XVFB_DISPLAY=:$n
            break
        fi
    done
fi
export XVFB_DISPLAY
# A prefix of its own, kept between demo runs, so that the tests' prefix is
# never touched (KORBINEN_WINEPREFIX names another one).
export PREFIX_NAME=demo-prefix KEEP_PREFIX=1
source "$root/scripts/wine-env.sh"

start_display
trap stop_display EXIT
if [ "$headless" = 1 ] && ! [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; then
    echo "demo: the virtual display $DISPLAY did not start" >&2
    exit 1
fi
prepare_prefix
if [ "$headless" = 0 ]; then
    # A real desktop has a window manager: let it frame fmhost's window.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f >/dev/null 2>&1
    wineserver -w
fi

# A small tree to search, written anew each time.
demo=$BUILD_DIR/demo
sample=$demo/sample
rm -rf "$sample"
mkdir -p "$sample/docs/letters" "$sample/other"
printf 'Shopping list\r\nmilk\r\na needle and thread\r\n' >"$sample/docs/list.txt"
printf 'Dear Anna,\r\nthe Needle arrived today.\r\nSee you soon\r\n' >"$sample/docs/letters/anna.txt"
printf 'Nothing to find here.\r\n' >"$sample/docs/letters/empty.txt"
printf 'NEEDLE in capitals\r\nand a second needle line\r\n' >"$sample/docs/notes.txt"
printf 'a needle outside the selected folder\r\n' >"$sample/other/elsewhere.txt"
printf '[AddOns]\r\nkorbinen=%s\r\n' "$("$WINE" winepath -w "$bin/korbinen.dll")" >"$demo/fmhost.ini"
rm -f "$demo"/*.png "$demo/report.txt"
# The help viewer looks for the help files in the current folder, fmhost's here.
cp "$bin/korbinex.hlp" "$bin/quorvin.hlp" "$demo/"

# fmhost closes by itself should the driver get stuck; the driver plays the user.
pause=400
[ "$headless" = 0 ] && pause=1500 && echo "demo: watch display $DISPLAY: fmhost searches 'needle' in the folder docs."
# fmhost works in the demo folder: the extension writes its list files there.
cd "$demo"
"$WINE" "$bin/fmhost.exe" "/ini:$("$WINE" winepath -w "$demo/fmhost.ini")" "/report:$("$WINE" winepath -w "$demo/report.txt")" \
    /closeafter:120 "$("$WINE" winepath -w "$sample")" &
fmhost_pid=$!
status=0
"$WINE" "$bin/demo_driver.exe" "$("$WINE" winepath -w "$demo/report.txt")" docs needle "$("$WINE" winepath -w "$demo")" "$pause" \
    >"$demo/driver.out" || status=$?
wait "$fmhost_pid" || true
for shot in "$demo/1-extra-menu.png" "$demo/2-search-result.png"; do
    if [ -s "$shot" ]; then
        echo "demo: $shot"
    else
        echo "demo: $(basename "$shot") was not written" >&2
        status=1
    fi
done
exit "$status"
