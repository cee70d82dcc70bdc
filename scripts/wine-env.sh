# Sourced by the test and run scripts: a project-local Wine prefix, a display and one wineserver
# kept alive for the whole run.  Usage: source scripts/wine-env.sh PREFIX_DIR
# CUADRIX_LOGPIXELS (96 unless set) is the screen resolution the prefix is made with; use a prefix
# of its own for each value. CUADRIX_SCREEN (1600x1200 unless set) is the size of the virtual display
# started when there is none.
cuadrix_prefix_dir=$1
export WINEPREFIX="$cuadrix_prefix_dir"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
cuadrix_xvfb_pid=""

cuadrix_display_works() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

cuadrix_start_xvfb() {
    # Xvfb picks a free display number itself and tells it through a pipe, so runs started at the
    # same moment never share a display.
    local pipe n=""
    pipe=$(mktemp -u)
    mkfifo "$pipe" || return 1
    Xvfb -displayfd 3 -screen 0 "${CUADRIX_SCREEN:-1600x1200}x24" -nolisten tcp 3>"$pipe" >/dev/null 2>&1 &
    cuadrix_xvfb_pid=$!
    read -r -t 20 n <"$pipe" || true
    rm -f "$pipe"
    if [ -z "$n" ]; then
        echo "error: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "error: Xvfb did not start" >&2
    return 1
}

cuadrix_make_prefix() {
    local dpi=${CUADRIX_LOGPIXELS:-96} dpi_hex
    dpi_hex=$(printf '%08x' "$dpi")
    if [ ! -f "$WINEPREFIX/.cuadrix-ready-2" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # Deterministic rendering: 96 DPI (or the one asked for), no crash dialog, and the usual
        # Windows faces mapped to installed fonts instead of one fallback face.
        local reg="$WINEPREFIX/cuadrix.reg"
        cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$dpi_hex

[HKEY_CURRENT_CONFIG\Software\Fonts]
"LogPixels"=dword:$dpi_hex

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
"Arial"="Liberation Sans"
"Courier New"="Liberation Mono"
"MS Shell Dlg"="Liberation Sans"
"Microsoft Sans Serif"="Liberation Sans"
REG
        if [ "${CUADRIX_TEST_PREFIX:-0}" = 1 ]; then
            # Tests run without a window manager: Wine draws captions and menus itself, so
            # screenshots show the whole window, and does not wait for a manager that never answers.
            printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Decorated"="N"\n"Managed"="N"\n' >>"$reg"
        fi
        wine regedit /S "$reg" >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.cuadrix-ready-2"
    fi
}

cuadrix_wine_start() {
    cuadrix_display_works || cuadrix_start_xvfb
    cuadrix_make_prefix
    wineserver -p
    # Warm the prefix so the first test does not pay for Wine's start-up.
    wine cmd /c exit >/dev/null 2>&1 || true
}

cuadrix_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$cuadrix_xvfb_pid" ] && kill "$cuadrix_xvfb_pid" >/dev/null 2>&1 || true
    cuadrix_xvfb_pid=""
}
