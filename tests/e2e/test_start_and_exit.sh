#!/usr/bin/env bash
# The program starts with its main window (title, white canvas, ruler frames) and Escape answered
# Yes ends it.
source "$(dirname "$0")/e2e-lib.sh"

e2e_start
e2e_main_window "^Organigrama$"
e2e_expect_eq "Organigrama" "$(e2e_title "$E2E_WINDOW")" "title"

shot="$E2E_DIR/start.png"
e2e_screenshot "$shot"
e2e_expect_eq "ffffff" "$(e2e_client_pixel "$shot" 400 400)" "canvas"
e2e_expect_eq "ffffff" "$(e2e_client_pixel "$shot" 1100 900)" "canvas bottom right"
[ "$(e2e_client_pixel "$shot" 600 10)" != "ffffff" ] || e2e_fail "horizontal ruler frame is missing"
[ "$(e2e_client_pixel "$shot" 10 600)" != "ffffff" ] || e2e_fail "vertical ruler frame is missing"

# Escape on the canvas asks the exit question; Return takes its default button, Yes.
e2e_click 400 400
e2e_key Escape
box=$(e2e_wait_window "^Programador$") || e2e_fail "exit question did not appear"
e2e_key Return
e2e_wait_exit 15 || e2e_fail "program still running after Yes"
echo "ok"
