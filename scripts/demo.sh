#!/usr/bin/env bash
# Builds everything and opens fmhost, the project's own small File Manager, with
# korbinen.dll loaded under Wine: on the user's display when there is one,
# otherwise in a virtual screen, where it opens the "&Extra" menu, saves a PNG of
# the screen, prints where it is and closes fmhost again.
# Optional: DEMO_DIR (the directory fmhost shows; the repository by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}

if [ "$(id -u)" = 0 ]; then bash "$root/scripts/setup.sh"; fi
bash "$root/scripts/build.sh"

bin=$BUILD_DIR/win32/bin
for program in fmhost.exe korbinen.dll; do
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
# A prefix of its own, kept between demo runs, so that the tests' prefix is never touched.
export WINEPREFIX=$BUILD_DIR/demo-prefix KEEP_PREFIX=1
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
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f >/dev/null 2>&1
    wineserver -w
fi

demo=$BUILD_DIR/demo
mkdir -p "$demo"
printf '[AddOns]\r\nkorbinen=%s\r\n' "$(winepath -w "$bin/korbinen.dll")" >"$demo/fmhost.ini"
show_dir=$(winepath -w "${DEMO_DIR:-$root}")
ini=$(winepath -w "$demo/fmhost.ini")

if [ "$headless" = 0 ]; then
    echo "demo: fmhost with korbinen.dll on display $DISPLAY; close its window to end the demo."
    wine "$bin/fmhost.exe" "/ini:$ini" "$show_dir"
    exit 0
fi

shot=$demo/fmhost-extra-menu.png
rm -f "$shot"
wine "$bin/fmhost.exe" "/ini:$ini" /openmenu:0 /closeafter:10 "$show_dir" &
fmhost_pid=$!
# Wait for the window, then give the menu time to drop down.
if command -v xwininfo >/dev/null 2>&1; then
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q '"fmhost - ' && break
        sleep 0.1
    done
    sleep 3
else
    sleep 6
fi
import -window root "$shot"
wait "$fmhost_pid" || true
if [ -s "$shot" ]; then
    echo "demo: screenshot of fmhost with the open extension menu: $shot"
else
    echo "demo: no screenshot was written" >&2
    exit 1
fi
