#!/usr/bin/env bash
# Regenerates docs/screenshot.png: runs Cuadrix.exe in a virtual display, draws a small
# organisation chart in it with real clicks (boxes, merged boxes, connectors, texts and colours),
# keeps a picture of the main window with its colours reduced and records the chart as
# samples/Organigrama.qdrx.
# Usage: scripts/screenshot.sh [Cuadrix.exe]   (without an argument build/win32/Cuadrix.exe is built)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-}
if [ -z "$exe" ]; then
    cmake -S "$root" -B "$root/build/win32" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
    cmake --build "$root/build/win32" -j2 --target Cuadrix >/dev/null
    exe="$root/build/win32/Cuadrix.exe"
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")

# The test prefix lets Wine draw the caption and the menus itself, and a display of our own keeps
# other windows out of the picture.
export CUADRIX_TEST_PREFIX=1
unset DISPLAY
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh" "$root/build/wineprefix"
cuadrix_wine_start
# shellcheck source=../tests/e2e/e2e-lib.sh
source "$root/tests/e2e/e2e-lib.sh" "$exe"
trap 'e2e_finish; cuadrix_wine_stop' EXIT

# 64-pixel cells: cell (c, r) of the canvas (from (E2E_CANVAS_X, E2E_CANVAS_Y) of the window's client area)
# has its box from 65c + 4 to 65c + 67.
PITCH=65
click_cell() { e2e_click $((E2E_CANVAS_X + PITCH * $1 + 32)) $((E2E_CANVAS_Y + PITCH * $2 + 32)) "${3:-1}"; }
mark() { for cell in "$@"; do click_cell ${cell/,/ }; done; }
create_table() { e2e_menu 4 0; }
create_line() { e2e_menu 4 1; }
merge_horizontal() { e2e_menu 3 0; }
capture_colour() { # column row: right click on it, then close the "Color Caught" dialog
    click_cell "$1" "$2" 3
    local dialog
    dialog=$(e2e_wait_window "^Color Caught$") || e2e_fail "no Color Caught dialog"
    e2e_window_click "$dialog" 302 170 249 148
    e2e_wait_gone "^Color Caught$"
}
# Opens the text properties of a box, lets the given steps fill them, and accepts.
edit_box() { # column row step...
    local column=$1 row=$2 dialog
    shift 2
    click_cell "$column" "$row"
    dialog=$(e2e_wait_window "^Text properties$") || e2e_fail "no Text properties dialog"
    sleep 0.5
    for step in "$@"; do
        case $step in
        text=*)
            e2e_window_click "$dialog" 442 722 160 350
            xdotool type --delay 40 "${step#text=}"
            ;;
        centre) e2e_window_click "$dialog" 442 722 15 461 ;;
        bold) e2e_window_click "$dialog" 442 722 20 84 ;;
        background) e2e_window_click "$dialog" 442 722 232 224 ;;
        textcolour) e2e_window_click "$dialog" 442 722 232 265 ;;
        esac
    done
    e2e_window_click "$dialog" 442 722 307 266
    e2e_wait_gone "^Text properties$"
}

printf '[General]\r\nIdioma=5\r\n' >"$E2E_DIR/Cuadrix.ini" # English
e2e_start
e2e_main_window "^Organization chart$"
e2e_menu 0 0 0 3 # Operations > New > Horizontal > 64 pixels

# Connectors first, while their end cells are still guide cells: a drop from the manager's box,
# a bar over the three departments and a drop to each outer department; the same again from the
# middle department to its two plants.
mark 8,2 8,3 && create_line
mark 3,3 12,3 && create_line
mark 3,3 3,4 && create_line
mark 13,3 13,4 && create_line
mark 8,5 8,6 && create_line
mark 6,7 9,7 && create_line
mark 6,7 6,8 && create_line
mark 10,7 10,8 && create_line

# The manager's box, the three departments and the two plants, each over two cells.
mark 7,1 8,1 2,4 3,4 7,4 8,4 12,4 13,4 5,8 6,8 9,8 10,8 && create_table
for pair in "7,1 8,1" "2,4 3,4" "7,4 8,4" "12,4 13,4" "5,8 6,8" "9,8 10,8"; do
    # shellcheck disable=SC2086
    mark $pair && merge_horizontal
done

# Dark blue from a selected box, then the texts and colours with "Edit Text and Colors".
mark 2,4 && capture_colour 2 4 && mark 2,4
e2e_menu 2 0 1
edit_box 7 1 "text=General Manager" centre bold background
capture_colour 0 8 # white from a guide cell
edit_box 7 1 textcolour
edit_box 2 4 "text=Sales" centre
edit_box 7 4 "text=Production" centre
edit_box 12 4 "text=Finance" centre
edit_box 5 8 "text=Plant A" centre
edit_box 9 8 "text=Plant B" centre

xdotool mousemove 0 0
sleep 0.5
shot="$E2E_DIR/window.png"
e2e_screenshot "$shot"
geometry=$(xdotool getwindowgeometry --shell "$E2E_WINDOW")
x=$(sed -n 's/^X=//p' <<<"$geometry")
y=$(sed -n 's/^Y=//p' <<<"$geometry")
w=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
h=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
mkdir -p "$root/docs"
convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -colors 64 -strip "PNG8:$root/docs/screenshot.png"
echo "Saved $root/docs/screenshot.png ($(stat -c %s "$root/docs/screenshot.png") bytes)"

# The chart is recorded, by the program itself, as the sample that "scripts/run.sh --screenshot"
# opens.
sample="$root/samples/Organigrama.qdrx"
mkdir -p "$root/samples"
rm -f "$sample"
e2e_menu 0 4 # Operations > Record file
e2e_wait_window "^Save As$" >/dev/null || e2e_fail "no Save As dialog"
sleep 0.5
xdotool type --delay 20 "$(winepath -w "$sample")"
e2e_key Return
for _ in $(seq 40); do
    [ -s "$sample" ] && break
    sleep 0.25
done
[ -s "$sample" ] || e2e_fail "the sample chart was not recorded"
echo "Saved $sample ($(stat -c %s "$sample") bytes)"

# Escape ends the program: through the save question (Don't Save, N) if the chart still shows
# unrecorded changes, otherwise through the exit question (Yes).
answer=y
[[ "$(e2e_title "$E2E_WINDOW")" == *"*"* ]] && answer=n
e2e_key Escape
e2e_wait_window "^Programmer$" >/dev/null || e2e_fail "no question on Escape"
e2e_key "$answer"
e2e_wait_exit 15 || e2e_fail "program still running after Escape"
