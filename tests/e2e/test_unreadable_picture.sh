#!/usr/bin/env bash
# A picture that cannot be read: its message comes once, when the picture is put into a box, and
# not again at the clicks that draw the box anew; the box keeps its placeholder meanwhile.
source "$(dirname "$0")/e2e-lib.sh"

PITCH=25
click_cell() { e2e_click $((E2E_CANVAS_X + PITCH * $1 + 12)) $((E2E_CANVAS_Y + PITCH * $2 + 12)); }
messages() { xdotool search --onlyvisible --name '^Programador$' 2>/dev/null | wc -l; }
answer_message() { # waits for the loader's message and closes it
    local box
    box=$(e2e_wait_window '^Programador$') || e2e_fail "$1: no message"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    e2e_key Return
}

head -c 3000 /dev/zero | tr '\0' j >"$E2E_DIR/broken.jpg"

e2e_start
e2e_main_window "^Organigrama$"
e2e_menu 0 0 0 1 # Operaciones > Nuevo > Horizontal > "24 píxeles"
click_cell 2 3
e2e_menu 4 0     # Organigrama > Crear tabla: a box at (2, 3)

# Ratón > Izquierda > Insertar imagen, then a click on the box asks for the picture.
e2e_menu 2 0 2
known=$(e2e_visible_windows)
click_cell 2 3
e2e_wait_new_window "$known" >/dev/null || e2e_fail "no picture prompt"
sleep 1
xdotool type --delay 30 "Z:${E2E_DIR//\//\\}\\broken.jpg"
e2e_key Return
answer_message "picture put into the box"

# Ratón > Izquierda > Selector de celdas: each click on the box changes it and draws it anew.
e2e_menu 2 0 0
for click in 1 2 3; do
    click_cell 2 3
    sleep 1
    e2e_expect_eq 0 "$(messages)" "message after click $click on the box"
done
echo "ok"
