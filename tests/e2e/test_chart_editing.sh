#!/usr/bin/env bash
# Building a chart with the mouse and the menus: a new 24-pixel grid, marked cells turned into
# boxes, a connector over them, three boxes selected and merged into one, and Undo taking the
# merge back. Every step is checked on the screen at the places where its cells are drawn.
source "$(dirname "$0")/e2e-lib.sh"

# The canvas control stands at (22, 22) of the client area and has a one-pixel border; the table
# picture is shown from its client area on. With 24-pixel cells and 1-pixel gaps, the box of cell
# (c, r) has its outline on x = 25c + 4 and x = 25c + 27, y = 25r + 4 and y = 25r + 27.
CANVAS=23
PITCH=25

pixel() { e2e_client_pixel "$1" $((CANVAS + $2)) $((CANVAS + $3)); }
left() { echo $((PITCH * $1 + 4)); }
right() { echo $((PITCH * $1 + 27)); }
middle() { echo $((PITCH * $1 + 16)); }
# Screenshots keep their step names in the test folder, for a look after a failure.
snap() {
    shot="$E2E_DIR/$1.png"
    e2e_screenshot "$shot"
}
click_cell() { e2e_click $((CANVAS + PITCH * $1 + 12)) $((CANVAS + PITCH * $2 + 12)); }

expect_fill() { # shot colour column row what
    e2e_expect_eq "$2" "$(pixel "$1" "$(middle "$3")" "$(middle "$4")")" "$5: inside cell ($3, $4)"
}
expect_outline() { # shot colour column row what: all four edges of the cell's box
    local c=$3 r=$4
    e2e_expect_eq "$2" "$(pixel "$1" "$(left $c)" "$(middle $r)")" "$5: left edge of ($c, $r)"
    e2e_expect_eq "$2" "$(pixel "$1" "$(right $c)" "$(middle $r)")" "$5: right edge of ($c, $r)"
    e2e_expect_eq "$2" "$(pixel "$1" "$(middle $c)" "$(left $r)")" "$5: top edge of ($c, $r)"
    e2e_expect_eq "$2" "$(pixel "$1" "$(middle $c)" "$(right $r)")" "$5: bottom edge of ($c, $r)"
}

e2e_start
e2e_main_window "^Organigrama$"
snap start
e2e_expect_eq "ffffff" "$(pixel "$shot" 4 16)" "empty canvas before a table"

# Operaciones > Nuevo > Horizontal > "24 píxeles": a grid of 44 x 31 light grey boxes.
e2e_menu 0 0 0 1
snap grid
expect_outline "$shot" c0c0c0 0 0 "new grid"
expect_fill "$shot" ffffff 0 0 "new grid"
e2e_expect_eq "ffffff" "$(pixel "$shot" 28 16)" "gap between cells (0, 0) and (1, 0)"
expect_outline "$shot" c0c0c0 43 30 "last cell of the grid"
e2e_expect_eq "ffffff" "$(pixel "$shot" "$(left 44)" 16)" "paper right of the grid"
e2e_expect_eq "ffffff" "$(pixel "$shot" 16 "$(left 31)")" "paper below the grid"

# Two cells of row 3 marked with the cell selector turn yellow; "Crear tabla" makes them boxes:
# white with a black outline. A third box joins them on the right.
click_cell 2 3
click_cell 3 3
snap marked
expect_fill "$shot" ffff00 2 3 "marked"
expect_fill "$shot" ffff00 3 3 "marked"
expect_outline "$shot" c0c0c0 2 3 "marked"
expect_fill "$shot" ffffff 4 3 "unmarked"

e2e_menu 4 0 # Organigrama > Crear tabla
snap boxes
for c in 2 3; do
    expect_fill "$shot" ffffff $c 3 "box"
    expect_outline "$shot" 000000 $c 3 "box"
done
expect_outline "$shot" c0c0c0 4 3 "guide cell beside the boxes"
e2e_expect_eq "ffffff" "$(pixel "$shot" 78 "$(middle 3)")" "gap between the boxes"

click_cell 4 3
e2e_menu 4 0
snap third-box
expect_outline "$shot" 000000 4 3 "third box"

# Guide cells (1, 3) and (5, 3) on either side of the boxes marked, then "Crear linea": the
# connector runs black along the row's top edge, one pixel above the boxes, from the left of
# (1, 3) to the gap right of (5, 3); the marks are gone.
click_cell 1 3
click_cell 5 3
snap line-marks
expect_fill "$shot" ffff00 1 3 "marked for the line"
expect_fill "$shot" ffff00 5 3 "marked for the line"
e2e_menu 4 1 # Organigrama > Crear linea
snap line
expect_fill "$shot" ffffff 1 3 "line end after the line"
expect_fill "$shot" ffffff 5 3 "line end after the line"
line_y=$((PITCH * 3 + 3))
for x in 29 66 78 103 128 153; do
    e2e_expect_eq "000000" "$(pixel "$shot" $x $line_y)" "connector at x = $x"
done
e2e_expect_eq "ffffff" "$(pixel "$shot" 28 $line_y)" "left of the connector"
e2e_expect_eq "ffffff" "$(pixel "$shot" 154 $line_y)" "right of the connector"
e2e_expect_eq "000000" "$(pixel "$shot" 66 $((line_y + 1)))" "box top edge below the connector"
e2e_expect_eq "c0c0c0" "$(pixel "$shot" 66 $((line_y - 1)))" "guide cell edge above the connector"

# The three boxes clicked left to right are selected: dark blue.
click_cell 2 3
snap first-selected
expect_fill "$shot" 00008b 2 3 "first selected box"
expect_fill "$shot" ffffff 3 3 "box not yet selected"
click_cell 3 3
click_cell 4 3
snap selected
for c in 2 3 4; do expect_fill "$shot" 00008b $c 3 "selected"; done

# Tabla > Unir Celdas Horizontales: one white box from the left edge of (2, 3) to the right edge
# of (4, 3); the inner edges and the gaps between them are white now, the connector stays.
e2e_menu 3 0
snap merged
mid=$(middle 3)
for x in $(right 2) 78 $(left 3) $(right 3) 103 $(left 4); do
    e2e_expect_eq "ffffff" "$(pixel "$shot" $x $mid)" "merged box at x = $x"
done
for c in 2 3 4; do expect_fill "$shot" ffffff $c 3 "merged box"; done
e2e_expect_eq "000000" "$(pixel "$shot" "$(left 2)" $mid)" "left edge of the merged box"
e2e_expect_eq "000000" "$(pixel "$shot" "$(right 4)" $mid)" "right edge of the merged box"
for x in 78 103; do
    e2e_expect_eq "000000" "$(pixel "$shot" $x "$(left 3)")" "top edge of the merged box over a gap"
    e2e_expect_eq "000000" "$(pixel "$shot" $x "$(right 3)")" "bottom edge of the merged box over a gap"
done
e2e_expect_eq "000000" "$(pixel "$shot" 78 $line_y)" "connector above the merged box"

# Editar > Deshacer: the three boxes are back, each with its own edges and the gaps between them.
# The merge took its snapshot while they were selected, so they come back dark blue.
e2e_menu 1 0
snap undone
for c in 2 3 4; do
    expect_fill "$shot" 00008b $c 3 "after Undo"
    expect_outline "$shot" c0c0c0 $c 3 "after Undo"
done
for x in 78 103; do
    e2e_expect_eq "ffffff" "$(pixel "$shot" $x $mid)" "after Undo: gap at x = $x"
done
e2e_expect_eq "000000" "$(pixel "$shot" 78 $line_y)" "connector after Undo"

e2e_click 400 600
# The chart has unrecorded changes: Escape asks to save them, and "Don't Save" (N) ends the program.
e2e_key Escape
e2e_wait_window "^Programador$" >/dev/null || e2e_fail "save question did not appear"
e2e_key n
e2e_wait_exit 15 || e2e_fail "program still running after Don't Save"
echo "ok"
