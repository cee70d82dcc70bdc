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
E2E_TOOLBAR_HEIGHT=${E2E_TOOLBAR_HEIGHT:-26} # the toolbar under the menu bar at 96 DPI
E2E_STATUS_HEIGHT=${E2E_STATUS_HEIGHT:-20}   # the status bar at the bottom at 96 DPI
# The canvas control stands at (22, 22) below the toolbar and has a one-pixel border: its picture
# starts at these client pixels.
E2E_CANVAS_X=23
E2E_CANVAS_Y=$((23 + E2E_TOOLBAR_HEIGHT))
cp "$E2E_EXE" "$E2E_DIR/Cuadrix.exe"
# Each run keeps its recovery copies in a folder of its own, so that a program the test ended by
# killing it is never offered to the next test.
mkdir -p "$E2E_DIR/recovery"
CUADRIX_RECOVERY_FOLDER="Z:$(tr / '\\' <<<"$E2E_DIR/recovery")"
export CUADRIX_RECOVERY_FOLDER

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
    local pattern=$1 id offer answered=""
    for _ in $(seq 120); do
        offer=$(xdotool search --onlyvisible --name '^\.\.\.$' 2>/dev/null | head -1 || true)
        # Answered once: a closing offer may still be listed, and a second key would go to
        # whatever window comes next (the restore question).
        if [ -n "$offer" ] && [ "$offer" != "$answered" ]; then
            xdotool windowfocus --sync "$offer" 2>/dev/null || true
            e2e_key "${E2E_ASSOCIATION:-n}"
            answered=$offer
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

# Waits until no visible window's title matches the pattern (up to 4 seconds).
e2e_wait_gone() {
    for _ in $(seq 40); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    e2e_fail "window '$1' is still open"
}

e2e_main_window() {
    E2E_WINDOW=$(e2e_wait_window_past_offer "${1:-^Organigrama$}") || e2e_fail "main window did not appear"
    sleep 1
}

e2e_title() { xdotool getwindowname "$1"; }

# Screen position of a point of the main window's client area.
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

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Visible windows, one id a line, sorted (popup menus are windows of their own).
e2e_visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort || true; }

# Runs of ink in a region of a screenshot, one "first last" pair a line (see ink_bands.py).
e2e_ink_bands() { # shot rows|cols x y width height min-length max-gap
    convert "$1" -crop "$5x$6+$3+$4" +repage -colorspace gray -depth 8 gray:- |
        python3 "$E2E_LIB_DIR/ink_bands.py" "$2" "$5" "$6" "$7" "$8"
}

# Waits for a visible window that is not in the given list; prints "id x y width height".
e2e_wait_new_window() {
    local known=$1 id geometry
    for _ in $(seq 40); do
        id=$(comm -13 <(echo "$known") <(e2e_visible_windows) | head -1)
        if [ -n "$id" ]; then
            geometry=$(xdotool getwindowgeometry --shell "$id")
            echo "$id $(sed -n 's/^X=//p' <<<"$geometry") $(sed -n 's/^Y=//p' <<<"$geometry")" \
                "$(sed -n 's/^WIDTH=//p' <<<"$geometry") $(sed -n 's/^HEIGHT=//p' <<<"$geometry")"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Chooses a menu item with real clicks: e2e_menu TITLE ITEM [ITEM ...]. TITLE counts the titles on
# the menu bar from 0, each ITEM the items of the popup that the previous click opened (separators
# do not count); every ITEM but the last opens a submenu. Titles and items are found on screenshots
# as runs of text, so the texts' widths and the language do not matter.
e2e_menu() {
    local shot="$E2E_DIR/menu.png" origin bands first last known popup popups="" id x y w h
    read -r -a origin <<<"$(e2e_client_origin)"
    e2e_screenshot "$shot"
    # The bar's text lies between its top and bottom edges; titles are a few blanks apart.
    mapfile -t bands < <(e2e_ink_bands "$shot" cols "${origin[0]}" \
        $((origin[1] - E2E_MENU_HEIGHT + 3)) 1155 $((E2E_MENU_HEIGHT - 6)) 3 5)
    [ "$1" -lt "${#bands[@]}" ] || e2e_fail "menu bar: no title $1 among ${#bands[@]}"
    read -r first last <<<"${bands[$1]}"
    known=$(e2e_visible_windows)
    xdotool mousemove $((origin[0] + (first + last) / 2)) $((origin[1] - E2E_MENU_HEIGHT / 2)) click 1
    shift
    for item in "$@"; do
        popup=$(e2e_wait_new_window "$known") || e2e_fail "menu popup for item $item did not open"
        read -r id x y w h <<<"$popup"
        popups+="$id"$'\n'
        known=$(e2e_visible_windows)
        # Items are the runs of text rows inside the popup's frame; separators are too thin to count.
        for _ in $(seq 10); do
            sleep 0.2
            e2e_screenshot "$shot"
            mapfile -t bands < <(e2e_ink_bands "$shot" rows $((x + 4)) $((y + 4)) $((w - 8)) $((h - 8)) 5 0)
            [ "$item" -lt "${#bands[@]}" ] && break
        done
        [ "$item" -lt "${#bands[@]}" ] || e2e_fail "menu popup: no item $item among ${#bands[@]}"
        read -r first last <<<"${bands[$item]}"
        xdotool mousemove $((x + w / 2)) $((y + 4 + (first + last) / 2)) click 1
    done
    # The command has been chosen once every popup has closed again (a dialog it opens may stay).
    for _ in $(seq 40); do
        [ -z "$(comm -12 <(sort <<<"$popups") <(e2e_visible_windows))" ] && break
        sleep 0.1
    done
    [ -z "$(comm -12 <(sort <<<"$popups") <(e2e_visible_windows))" ] || e2e_fail "menu did not close"
    sleep 0.5
}

# Screen position of the client area of a dialog whose client area is WIDTH x HEIGHT: the frame is
# as wide on every side, and the caption lies above the client area.
e2e_window_origin() { # window width height
    local geometry x y w h frame
    geometry=$(xdotool getwindowgeometry --shell "$1")
    x=$(sed -n 's/^X=//p' <<<"$geometry")
    y=$(sed -n 's/^Y=//p' <<<"$geometry")
    w=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    h=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
    frame=$(((w - $2) / 2))
    echo "$((x + frame)) $((y + h - frame - $3))"
}

# Left click (or button $6) at a client-area point of such a dialog.
e2e_window_click() { # window width height x y [button]
    local origin
    read -r -a origin <<<"$(e2e_window_origin "$1" "$2" "$3")"
    xdotool mousemove $((origin[0] + $4)) $((origin[1] + $5)) click "${6:-1}"
    sleep 0.4
}

# Number of dark pixels (text, outlines) in a client-area rectangle of the main window.
e2e_client_dark_pixels() { # shot x y width height
    local origin
    read -r -a origin <<<"$(e2e_client_origin)"
    convert "$1" -crop "$4x$5+$((origin[0] + $2))+$((origin[1] + $3))" +repage -colorspace gray \
        -depth 8 gray:- | python3 -c 'import sys; print(sum(v < 96 for v in sys.stdin.buffer.read()))'
}

# Runs the command until it prints the expected text (for up to 10 seconds) and prints what it
# printed last: the caller compares that, so a state that never comes fails with what was seen.
e2e_until() { # expected command [arguments...]
    local expected=$1 seen=""
    shift
    for _ in $(seq 40); do
        seen=$("$@")
        [ "$seen" = "$expected" ] && break
        sleep 0.25
    done
    echo "$seen"
}

# Waits until the window has the keyboard focus (up to 10 seconds), so that keys and clicks reach
# a dialog that is ready for them.
e2e_wait_active() {
    for _ in $(seq 40); do
        [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$1" ] && return 0
        xdotool windowfocus "$1" 2>/dev/null || true
        sleep 0.25
    done
    e2e_fail "window $1 did not take the focus"
}
