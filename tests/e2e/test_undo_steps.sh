#!/usr/bin/env bash
# Every edit is one undo step, through the real dialogs: two box texts and a captured colour are
# accepted in the "Propiedades Texto" dialog one after the other; Ctrl+Z takes them back one by
# one, newest first, and Ctrl+Y brings them back in order.
source "$(dirname "$0")/e2e-lib.sh"

# 64-pixel cells with 1-pixel gaps: the box of cell (c, r) has its outline on x = 65c + 4.
PITCH=65
click_cell() { e2e_click $((E2E_CANVAS_X + PITCH * $1 + 32)) $((E2E_CANVAS_Y + PITCH * $2 + 32)) "${3:-1}"; }
snap() {
    shot="$E2E_DIR/$1.png"
    e2e_screenshot "$shot"
}
# Dark pixels of the first text line of box (c, 1), and the fill of box (2, 1) below its text.
text_pixels() {
    e2e_client_dark_pixels "$shot" $((E2E_CANVAS_X + PITCH * $1 + 5)) $((E2E_CANVAS_Y + PITCH + 5)) 62 18
}
fill() { e2e_client_pixel "$shot" $((E2E_CANVAS_X + PITCH * 2 + 50)) $((E2E_CANVAS_Y + PITCH + 55)); }
# What a user sees of the three edits: "text" or "none" in boxes (2, 1) and (4, 1), and the fill.
state() {
    snap "$1"
    local first second
    first=$([ "$(text_pixels 2)" -ge 15 ] && echo text || echo none)
    second=$([ "$(text_pixels 4)" -ge 15 ] && echo text || echo none)
    echo "$first $second $(fill)"
}
# Opens the dialog on box (c, 1), types a text or takes the captured colour, and accepts.
edit_box() { # column text|colour
    click_cell "$1" 1
    local dialog
    dialog=$(e2e_wait_window "^Propiedades Texto$") || e2e_fail "no Propiedades Texto dialog on box $1"
    e2e_wait_active "$dialog"
    if [ "$2" = colour ]; then
        e2e_window_click "$dialog" 442 722 232 224 # background swatch: takes the captured colour
    else
        e2e_window_click "$dialog" 442 722 160 350 # the text box
        xdotool type --delay 60 "$2"
    fi
    e2e_window_click "$dialog" 442 722 307 266 # Aceptar
    e2e_wait_gone "^Propiedades Texto$"
}

e2e_start
e2e_main_window "^Organigrama$"

# A new 64-pixel grid, two cells made boxes, a third marked and its yellow captured.
e2e_menu 0 0 0 3
click_cell 2 1
click_cell 4 1
e2e_menu 4 0
click_cell 5 1
click_cell 5 1 3
captured=$(e2e_wait_window "^Color Captado$") || e2e_fail "no Color Captado dialog after a right click"
e2e_window_click "$captured" 302 170 249 148
e2e_wait_gone "^Color Captado$"

e2e_menu 2 0 1 # Ratón > Izquierda > Editar Texto y Colores
# Each state is waited for on the screen; one that does not come fails with what the screen shows.
states=("none none ffffff" "text none ffffff" "text text ffffff" "text text ffff00")
e2e_expect_eq "${states[0]}" "$(e2e_until "${states[0]}" state boxes)" "the new boxes"
edit_box 2 "Ana Ruiz"
e2e_expect_eq "${states[1]}" "$(e2e_until "${states[1]}" state first-text)" "after the first text"
edit_box 4 "Bea Gil"
e2e_expect_eq "${states[2]}" "$(e2e_until "${states[2]}" state second-text)" "after the second text"
edit_box 2 colour
e2e_expect_eq "${states[3]}" "$(e2e_until "${states[3]}" state colour)" "after the colour"

# One Ctrl+Z per edit, newest first; then one Ctrl+Y per edit, oldest first.
for step in 2 1 0; do
    e2e_key ctrl+z
    e2e_expect_eq "${states[$step]}" "$(e2e_until "${states[$step]}" state "undo-$step")" \
        "after undoing down to state $step"
done
for step in 1 2 3; do
    e2e_key ctrl+y
    e2e_expect_eq "${states[$step]}" "$(e2e_until "${states[$step]}" state "redo-$step")" \
        "after redoing up to state $step"
done

e2e_key Escape
e2e_wait_window "^Programador$" >/dev/null || e2e_fail "save question did not appear"
e2e_key n
e2e_wait_exit 15 || e2e_fail "program still running after Don't Save"
echo "PASS"
