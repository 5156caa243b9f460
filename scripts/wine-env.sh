# Sourced by the scripts that run Windows programs: one Xvfb display and one
# Wine prefix for the whole run. Callers may preset XVFB_DISPLAY, WINEPREFIX
# and KEEP_PREFIX=1 (reuse an existing prefix).
: "${XVFB_DISPLAY:=:91}"
: "${WINEPREFIX:=${BUILD_DIR:?}/wineprefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=$XVFB_DISPLAY

start_display() {
    if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && ! [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; then
        Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
    fi
}

stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

prepare_prefix() {
    if [ "${KEEP_PREFIX:-0}" = 1 ] && [ -f "$WINEPREFIX/system.reg" ]; then
        wineserver -k >/dev/null 2>&1 || true
        return
    fi
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits for one whenever a dialog closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # A wineserver started while setting up must not outlive into the GUI tests.
    wineserver -w
}
