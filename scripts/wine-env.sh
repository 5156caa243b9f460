# Sourced by the scripts that run Windows programs: one Xvfb display and one
# Wine prefix for the whole run. Callers may preset XVFB_DISPLAY, PREFIX_NAME
# (the folder below the build tree; "wineprefix" by default),
# KORBINEN_WINEPREFIX (a prefix of the caller's own, used instead) and
# KEEP_PREFIX=1 (reuse an existing prefix). A WINEPREFIX the user exported for
# other programs is never used: these scripts work in a prefix of their own and
# delete only a prefix that carries their mark.
: "${XVFB_DISPLAY:=:91}"
WINEPREFIX=${KORBINEN_WINEPREFIX:-${BUILD_DIR:?}/${PREFIX_NAME:-wineprefix}}
PREFIX_MARK=made-by-korbinen-scripts
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Wine's 32-bit loader needs a kernel that runs 32-bit programs, which some
# (virtual) machines do not. There the 64-bit loader runs the 64-bit binaries,
# and the 32-bit ones are built and checked but not run. WINE is the loader
# for every Windows program the scripts start; WINE_TREES the build trees
# whose binaries run here.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    WINE=wine
    WINE_TREES="win32 win64"
else
    WINE=/usr/lib/wine/wine64
    WINE_TREES="win64"
    export WINELOADER=$WINE
fi
export WINE WINE_TREES
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

# A fresh prefix for the run, or the existing one with KEEP_PREFIX=1. A prefix
# without the mark (the caller's own) is used as it is and never deleted.
prepare_prefix() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -e "$WINEPREFIX" ] && ! [ -f "$WINEPREFIX/$PREFIX_MARK" ]; then
        if [ -f "$WINEPREFIX/system.reg" ]; then
            echo "wine-env: using the existing prefix $WINEPREFIX as it is (not made by these scripts)" >&2
            return 0
        fi
        if [ -n "$(ls -A "$WINEPREFIX" 2>/dev/null)" ]; then
            echo "wine-env: $WINEPREFIX is not empty and not a Wine prefix; not touching it" >&2
            return 1
        fi
    fi
    if [ "${KEEP_PREFIX:-0}" = 1 ] && [ -f "$WINEPREFIX/system.reg" ]; then
        return 0
    fi
    if [ -f "$WINEPREFIX/$PREFIX_MARK" ]; then
        rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$WINEPREFIX"
    touch "$WINEPREFIX/$PREFIX_MARK"
    "$WINE" wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits for one whenever a dialog closes.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # A wineserver started while setting up must not outlive into the GUI tests.
    wineserver -w
}
