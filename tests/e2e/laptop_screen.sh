#!/usr/bin/env bash
# On a 1366 x 768 laptop screen (scripts/on-screen.sh gives one) the window takes the work area and
# the 24-pixel tables are taller than the canvas: the End key scrolls the last cell of the 44 x 31
# and of the 31 x 44 table into view, whole, and a real click marks it yellow.
source "$(dirname "$0")/e2e-lib.sh"

# The window fills the screen: its client area lies inside Wine's 4-pixel frame, under the 19-pixel
# caption and the menu bar.
e2e_client_origin() {
    local geometry
    geometry=$(xdotool getwindowgeometry --shell "$E2E_WINDOW")
    echo "$(($(sed -n 's/^X=//p' <<<"$geometry") + 4)) $(($(sed -n 's/^Y=//p' <<<"$geometry") + 23 + E2E_MENU_HEIGHT))"
}

# The canvas ends 12 pixels before the client area's right and bottom edges (scroll bar and border).
read -r SCREEN_W SCREEN_H < <(xdpyinfo | sed -n 's/ *dimensions: *\([0-9]*\)x\([0-9]*\).*/\1 \2/p')
VIEW_W=$((SCREEN_W - 8 - 12 - E2E_CANVAS_X))
VIEW_H=$((SCREEN_H - 4 - 23 - E2E_MENU_HEIGHT - 12 - E2E_STATUS_HEIGHT - E2E_CANVAS_Y))

# Prints "x y" of the lowest, rightmost grid-outline pixel in the canvas, in canvas pixels.
last_outline() {
    local origin
    read -r -a origin <<<"$(e2e_client_origin)"
    convert "$1" -crop "${VIEW_W}x${VIEW_H}+$((origin[0] + E2E_CANVAS_X))+$((origin[1] + E2E_CANVAS_Y))" rgb:- |
        python3 -c '
import sys
w = int(sys.argv[1]); data = sys.stdin.buffer.read()
xs = ys = -1
for i in range(0, len(data), 3):
    if data[i:i + 3] == b"\xc0\xc0\xc0":
        p = i // 3; xs = max(xs, p % w); ys = max(ys, p // w)
print(xs, ys)' "$VIEW_W"
}

e2e_start
e2e_main_window "^Organigrama$"

# Operaciones > Nuevo > Horizontal / Vertical > "24 píxeles".
for table in "0 44x31" "1 31x44"; do
    read -r direction size <<<"$table"
    e2e_menu 0 0 "$direction" 1
    # The marks on the first table are changes: the new table asks first, answered No guardar.
    if question=$(xdotool search --onlyvisible --name "^Programador$" 2>/dev/null | head -1) && [ -n "$question" ]; then
        xdotool windowfocus --sync "$question"
        e2e_key n
    fi
    e2e_key End
    shot="$E2E_DIR/end-$size.png"
    e2e_screenshot "$shot"
    read -r right bottom <<<"$(last_outline "$shot")"
    [ "$right" -gt 0 ] || e2e_fail "$size: no grid on the canvas"
    # Paper beyond the last outline: no further cell starts to the right or below within the view.
    [ $((VIEW_W - right)) -ge 4 ] || e2e_fail "$size: the grid runs past the right of the canvas ($right of $VIEW_W)"
    [ $((VIEW_H - bottom)) -ge 4 ] || e2e_fail "$size: the grid runs past the bottom of the canvas ($bottom of $VIEW_H)"
    e2e_click $((E2E_CANVAS_X + right - 11)) $((E2E_CANVAS_Y + bottom - 11))
    e2e_screenshot "$shot"
    e2e_expect_eq "ffff00" "$(e2e_client_pixel "$shot" $((E2E_CANVAS_X + right - 11)) $((E2E_CANVAS_Y + bottom - 11)))" \
        "$size: the last cell marked"
    e2e_expect_eq "c0c0c0" "$(e2e_client_pixel "$shot" $((E2E_CANVAS_X + right - 23)) $((E2E_CANVAS_Y + bottom - 11)))" \
        "$size: the left edge of the last cell in view"
done
echo "PASS"
