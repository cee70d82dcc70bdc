#!/usr/bin/env bash
# Editing a box through the real dialogs: a colour captured from the canvas with the right button,
# then "Editar Texto y Colores" on a box, a text typed into the "Propiedades Texto" dialog and the
# captured colour taken by the background swatch; Accept puts both into the box, Cancel nothing.
source "$(dirname "$0")/e2e-lib.sh"

# The canvas control stands at (22, 22) below the toolbar and has a one-pixel border. With
# 64-pixel cells and 1-pixel gaps, the box of cell (c, r) has its outline on x = 65c + 4 and
# x = 65c + 67, y = 65r + 4 and y = 65r + 67; its text starts one pixel inside.
PITCH=65

pixel() { e2e_client_pixel "$1" $((E2E_CANVAS_X + $2)) $((E2E_CANVAS_Y + $3)); }
dark_pixels() { e2e_client_dark_pixels "$1" $((E2E_CANVAS_X + $2)) $((E2E_CANVAS_Y + $3)) "$4" "$5"; }
click_cell() { e2e_click $((E2E_CANVAS_X + PITCH * $1 + 32)) $((E2E_CANVAS_Y + PITCH * $2 + 32)) "${3:-1}"; }
snap() {
    shot="$E2E_DIR/$1.png"
    e2e_screenshot "$shot"
}

# Box (2, 1): its inside, the first text line, and the lower part where a short text never comes.
BOX_X=$((PITCH * 2 + 5))
BOX_Y=$((PITCH + 5))
box_text_pixels() { dark_pixels "$1" $BOX_X $BOX_Y 62 18; }
box_lower_pixels() { dark_pixels "$1" $BOX_X $((BOX_Y + 30)) 62 30; }

e2e_start
e2e_main_window "^Organigrama$"

# Operaciones > Nuevo > Horizontal > "64 píxeles", then cell (2, 1) marked and made a box.
e2e_menu 0 0 0 3
click_cell 2 1
e2e_menu 4 0
snap box
e2e_expect_eq "000000" "$(pixel "$shot" $((PITCH * 2 + 4)) $((PITCH + 30)))" "left edge of the box"
e2e_expect_eq "ffffff" "$(pixel "$shot" $((PITCH * 2 + 50)) $((PITCH + 50)))" "inside of the new box"
e2e_expect_eq "0" "$(box_text_pixels "$shot")" "text pixels in the new box"

# A marked guide cell shows yellow; a right click on it captures that colour and shows it in the
# "Color Captado" dialog (302 x 170), which Aceptar closes.
click_cell 5 1
click_cell 5 1 3
captured=$(e2e_wait_window "^Color Captado$") || e2e_fail "no Color Captado dialog after a right click"
snap captured
read -r -a origin <<<"$(e2e_window_origin "$captured" 302 170)"
e2e_expect_eq "ffff00" "$(e2e_pixel "$shot" $((origin[0] + 150)) $((origin[1] + 50)))" \
    "captured colour shown in the dialog"
e2e_window_click "$captured" 302 170 249 148
e2e_wait_gone "^Color Captado$"

# Ratón > Izquierda > Editar Texto y Colores, then a click on the box opens the dialog (442 x 722).
e2e_menu 2 0 1
click_cell 2 1
dialog=$(e2e_wait_window "^Propiedades Texto$") || e2e_fail "no Propiedades Texto dialog on the box"
sleep 0.5
e2e_window_click "$dialog" 442 722 160 350 # the text box
xdotool type --delay 60 "Ana Ruiz"
sleep 0.3
e2e_window_click "$dialog" 442 722 232 224 # background swatch: takes the captured colour
snap dialog
read -r -a origin <<<"$(e2e_window_origin "$dialog" 442 722)"
e2e_expect_eq "ffff00" "$(e2e_pixel "$shot" $((origin[0] + 232)) $((origin[1] + 224)))" \
    "background swatch after the click"
e2e_window_click "$dialog" 442 722 307 266 # Aceptar
e2e_wait_gone "^Propiedades Texto$"

sleep 0.5
snap accepted
e2e_expect_eq "ffff00" "$(pixel "$shot" $((PITCH * 2 + 50)) $((PITCH + 50)))" "box background after Accept"
e2e_expect_eq "ffff00" "$(pixel "$shot" $((PITCH * 2 + 10)) $((PITCH + 60)))" "box background, lower left"
e2e_expect_eq "000000" "$(pixel "$shot" $((PITCH * 2 + 4)) $((PITCH + 30)))" "box outline after Accept"
e2e_expect_eq "000000" "$(pixel "$shot" $((PITCH * 2 + 30)) $((PITCH + 4)))" "box top edge after Accept"
text_pixels=$(box_text_pixels "$shot")
[ "$text_pixels" -ge 25 ] || e2e_fail "the text line of the box has only $text_pixels dark pixels"
e2e_expect_eq "0" "$(box_lower_pixels "$shot")" "dark pixels below the text"
# The cell the colour came from is still only marked.
e2e_expect_eq "ffff00" "$(pixel "$shot" $((PITCH * 5 + 30)) $((PITCH + 30)))" "marked cell"
e2e_expect_eq "c0c0c0" "$(pixel "$shot" $((PITCH * 5 + 4)) $((PITCH + 30)))" "marked cell's outline"

# A second opening: a long text replaces the first one in the dialog, then Cancelar; the box shows
# what it showed before.
click_cell 2 1
dialog=$(e2e_wait_window "^Propiedades Texto$") || e2e_fail "the dialog did not open a second time"
sleep 0.5
e2e_window_click "$dialog" 442 722 160 350
xdotool key ctrl+a
xdotool type --delay 30 "Departamento de Contabilidad y Finanzas"
sleep 0.3
snap dialog-again
e2e_window_click "$dialog" 442 722 307 224 # Cancelar
e2e_wait_gone "^Propiedades Texto$"
sleep 0.5
snap cancelled
e2e_expect_eq "$text_pixels" "$(box_text_pixels "$shot")" "text pixels after Cancel"
e2e_expect_eq "0" "$(box_lower_pixels "$shot")" "dark pixels below the text after Cancel"
e2e_expect_eq "ffff00" "$(pixel "$shot" $((PITCH * 2 + 50)) $((PITCH + 50)))" "box background after Cancel"

e2e_click 900 800
# The chart has unrecorded changes: Escape asks to save them, and "Don't Save" (N) ends the program.
e2e_key Escape
e2e_wait_window "^Programador$" >/dev/null || e2e_fail "save question did not appear"
e2e_key n
e2e_wait_exit 15 || e2e_fail "program still running after Don't Save"
echo "ok"
