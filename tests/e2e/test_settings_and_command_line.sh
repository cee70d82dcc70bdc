#!/usr/bin/env bash
# The stored language reaches the texts at start; a work file named on the command line that does
# not exist is reported before the window shows; leaving with Escape keeps the window's place and
# leaves the settings' own sections as they were.
source "$(dirname "$0")/e2e-lib.sh"

printf '[General]\r\nIdioma=5\r\nRegleta=7\r\n' >"$E2E_DIR/Cuadrix.ini"
cp "$E2E_DIR/Cuadrix.ini" "$E2E_DIR/before.ini"

e2e_start 'C:\no such folder\missing chart.qdrx'
box=$(e2e_wait_window_past_offer "^Programmer$") || e2e_fail "missing-file message did not appear"
xdotool windowfocus --sync "$box" 2>/dev/null || true
e2e_key Return
e2e_main_window "^Organization chart$"
e2e_expect_eq "Organization chart" "$(e2e_title "$E2E_WINDOW")" "title in the stored language"

e2e_click 400 400
e2e_key Escape
box=$(e2e_wait_window "^Programmer$") || e2e_fail "exit question did not appear"
e2e_key Return
e2e_wait_exit 15 || e2e_fail "program still running after Yes"
# The settings file without the window's section, line by line.
without_place() { tr -d '\r' <"$1" | awk '/^\[/ { place = ($0 == "[Window]") } !place && NF'; }
[ "$(without_place "$E2E_DIR/before.ini")" = "$(without_place "$E2E_DIR/Cuadrix.ini")" ] ||
    e2e_fail "Escape must not write the settings"
grep -q '^Width=[1-9]' "$E2E_DIR/Cuadrix.ini" || e2e_fail "Escape did not keep the window's place"
echo "ok"
