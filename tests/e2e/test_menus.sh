#!/usr/bin/env bash
# The menu bar answers real clicks: Operaciones > Nuevo > Horizontal > "16 píxeles" draws a fresh
# guide grid on the canvas, and Escape then ends the program.
source "$(dirname "$0")/e2e-lib.sh"

e2e_start
e2e_main_window "^Organigrama$"

before="$E2E_DIR/before.png"
e2e_screenshot "$before"
# The canvas sits at (22, 22) below the toolbar with a 1-pixel border (E2E_CANVAS_X, E2E_CANVAS_Y).
e2e_expect_eq "ffffff" "$(e2e_client_pixel "$before" $((E2E_CANVAS_X + 4)) $((E2E_CANVAS_Y + 10)))" "canvas before a table"

# Operaciones > Nuevo > Horizontal > 16 píxeles, each found where the screen shows it (the
# popups are as wide as their longest item).
e2e_menu 0 0 0 0
sleep 1

after="$E2E_DIR/after.png"
e2e_screenshot "$after"
# The box of cell (0, 0) runs from (4, 4) to (20, 20) in light grey and is white inside; the next
# cell starts at x = 21.
e2e_expect_eq "c0c0c0" "$(e2e_client_pixel "$after" $((E2E_CANVAS_X + 4)) $((E2E_CANVAS_Y + 10)))" "left edge of cell (0, 0)"
e2e_expect_eq "c0c0c0" "$(e2e_client_pixel "$after" $((E2E_CANVAS_X + 10)) $((E2E_CANVAS_Y + 4)))" "top edge of cell (0, 0)"
e2e_expect_eq "ffffff" "$(e2e_client_pixel "$after" $((E2E_CANVAS_X + 12)) $((E2E_CANVAS_Y + 12)))" "inside cell (0, 0)"
e2e_expect_eq "c0c0c0" "$(e2e_client_pixel "$after" $((E2E_CANVAS_X + 21)) $((E2E_CANVAS_Y + 10)))" "left edge of cell (1, 0)"
# 65 columns: the last one (64) starts at x = 64 * 17 + 4 = 1092; beyond the grid lies the paper.
e2e_expect_eq "c0c0c0" "$(e2e_client_pixel "$after" $((E2E_CANVAS_X + 1092)) $((E2E_CANVAS_Y + 10)))" "left edge of the last column"
e2e_expect_eq "ffffff" "$(e2e_client_pixel "$after" $((E2E_CANVAS_X + 1114)) $((E2E_CANVAS_Y + 10)))" "paper right of the grid"

# The table took the focus to the canvas: Escape asks the exit question, Return answers Yes.
e2e_key Escape
e2e_wait_window "^Programador$" >/dev/null || e2e_fail "exit question did not appear"
e2e_key Return
e2e_wait_exit 15 || e2e_fail "program still running after Yes"
echo "ok"
