# End-to-end helpers: start the real Cuadrix.exe from a program folder of its own in the test
# display, find its window, take screenshots, read pixels, click and type, and always end it.
# Sourced by tests/e2e/test_*.sh, which run under the test prefix and display set up by
# scripts/test.sh (WINEPREFIX, DISPLAY).
set -euo pipefail

E2E_EXE=$1
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/cuadrix-e2e.XXXXXX")
E2E_PID=""
E2E_WINDOW=""
E2E_MENU_HEIGHT=${E2E_MENU_HEIGHT:-19} # one row of menu bar under Wine's default metrics
cp "$E2E_EXE" "$E2E_DIR/Cuadrix.exe"

e2e_fail() {
    echo "FAIL: $*" >&2
    e2e_screenshot "$E2E_DIR/failure.png" 2>/dev/null && echo "screenshot: $E2E_DIR/failure.png" >&2
    exit 1
}

e2e_finish() {
    if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
        kill "$E2E_PID" 2>/dev/null || true
        sleep 0.5
        kill -9 "$E2E_PID" 2>/dev/null || true
    fi
}
trap e2e_finish EXIT

# Starts the program with the given arguments; its program folder is $E2E_DIR.
e2e_start() {
    (cd "$E2E_DIR" && exec wine "$E2E_DIR/Cuadrix.exe" "$@") >/dev/null 2>&1 &
    E2E_PID=$!
}

e2e_running() { kill -0 "$E2E_PID" 2>/dev/null; }

# Waits until the process has ended (up to N seconds, default 15).
e2e_wait_exit() {
    for _ in $(seq $((${1:-15} * 10))); do
        e2e_running || return 0
        sleep 0.1
    done
    return 1
}

# Waits for a visible window whose title matches the pattern; prints its id.
e2e_wait_window() {
    local pattern=$1 id
    for _ in $(seq 120); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.25
    done
    return 1
}

# Waits for a visible window whose title matches the pattern, as e2e_wait_window does; meanwhile,
# while ".qdrx" is not registered in the test prefix, start-up offers the registration (caption
# "...") and E2E_ASSOCIATION says how it is answered: n (the default) declines, so no run leaves
# the prefix changed; y accepts.
e2e_wait_window_past_offer() {
    local pattern=$1 id offer
    for _ in $(seq 120); do
        offer=$(xdotool search --onlyvisible --name '^\.\.\.$' 2>/dev/null | head -1 || true)
        if [ -n "$offer" ]; then
            xdotool windowfocus --sync "$offer" 2>/dev/null || true
            e2e_key "${E2E_ASSOCIATION:-n}"
        fi
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.25
    done
    return 1
}

e2e_main_window() {
    E2E_WINDOW=$(e2e_wait_window_past_offer "${1:-^Organigrama$}") || e2e_fail "main window did not appear"
    sleep 1
}

e2e_title() { xdotool getwindowname "$1"; }

# Screen position of a point of the main window's client area (the canvas starts at 22, 22).
e2e_client_origin() {
    local geometry x y w h frame
    geometry=$(xdotool getwindowgeometry --shell "$E2E_WINDOW")
    x=$(sed -n 's/^X=//p' <<<"$geometry")
    y=$(sed -n 's/^Y=//p' <<<"$geometry")
    w=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    h=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
    frame=$(((w - 1155) / 2))
    # The outer size stays that of a 1155 x 990 client; the menu bar takes its height from it.
    echo "$((x + frame)) $((y + h - frame - 990 + E2E_MENU_HEIGHT))"
}

e2e_screenshot() { import -window root "$1"; }

# Colour of a screen pixel of a screenshot, as RRGGBB.
e2e_pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr A-F a-f; }

# Colour of a client-area pixel of the main window in a screenshot.
e2e_client_pixel() {
    local origin
    read -r -a origin <<<"$(e2e_client_origin)"
    e2e_pixel "$1" $((origin[0] + $2)) $((origin[1] + $3))
}

# Left click (or button $3) at a client-area point of the main window.
e2e_click() {
    local origin
    read -r -a origin <<<"$(e2e_client_origin)"
    xdotool mousemove $((origin[0] + $1)) $((origin[1] + $2)) click "${3:-1}"
    sleep 0.4
}

# Keys to the window that has the focus.
e2e_key() {
    xdotool key "$@"
    sleep 0.4
}

e2e_expect_eq() { # expected actual message
    [ "$1" = "$2" ] || e2e_fail "$3: expected '$1', got '$2'"
}
