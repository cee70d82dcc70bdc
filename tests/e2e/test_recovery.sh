#!/usr/bin/env bash
# A chart with unrecorded changes survives a killed program: the recovery copy is written within
# the (shortened) interval, the next start offers it, and Yes brings the boxes back as a changed
# chart. Don't Save at the end removes the copy.
source "$(dirname "$0")/e2e-lib.sh"

export CUADRIX_RECOVERY_INTERVAL_MS=500 # e2e-lib gives the run its own recovery folder
PITCH=25
box_fill() { e2e_client_pixel "$1" $((E2E_CANVAS_X + PITCH * $2 + 16)) $((E2E_CANVAS_Y + PITCH * $3 + 16)); }
click_cell() { e2e_click $((E2E_CANVAS_X + PITCH * $1 + 12)) $((E2E_CANVAS_Y + PITCH * $2 + 12)); }

e2e_start
e2e_main_window "^Organigrama$"
e2e_menu 0 0 0 1 # Operaciones > Nuevo > Horizontal > 24 píxeles
e2e_expect_eq "Sin título - Organigrama" "$(e2e_title "$E2E_WINDOW")" "title of a new chart"
click_cell 2 3
click_cell 5 3
e2e_menu 4 0 # Organigrama > Crear tabla
e2e_expect_eq "Sin título* - Organigrama" "$(e2e_title "$E2E_WINDOW")" "title of a changed chart"
# The copy holds the two boxes and its note is written: the chart a restart finds.
copy_state() {
    local copy
    copy=$(ls "$E2E_DIR"/recovery/*.qdrx 2>/dev/null | head -1)
    [ -n "$copy" ] || { echo "no copy"; return; }
    ls "$E2E_DIR"/recovery/*.txt >/dev/null 2>&1 || { echo "no note"; return; }
    # A 44-column table of 1345-byte records; isBox is the LONG at byte 1301 of a record.
    python3 - "$copy" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
box = lambda c, r: struct.unpack_from("<i", data, ((r * 44) + c) * 1345 + 1301)[0] if len(data) >= 44 * 31 * 1345 else 0
print("boxes" if box(2, 3) == 1 and box(5, 3) == 1 else "no boxes")
PY
}
e2e_expect_eq "boxes" "$(e2e_until boxes copy_state)" "recovery copy after the interval"

kill -9 "$E2E_PID"
e2e_wait_exit 15 || e2e_fail "program still running after kill"
ls "$E2E_DIR"/recovery/*.qdrx >/dev/null 2>&1 || e2e_fail "the copy went with the killed program"

e2e_start
offer=$(e2e_wait_window_past_offer "^Programador$") || e2e_fail "restore offer did not appear"
xdotool windowfocus --sync "$offer" 2>/dev/null || true
e2e_key y
e2e_main_window "Organigrama$"
e2e_expect_eq "Sin título* - Organigrama" "$(e2e_title "$E2E_WINDOW")" "title of the restored chart"
shot="$E2E_DIR/restored.png"
e2e_screenshot "$shot"
e2e_expect_eq "ffffff" "$(box_fill "$shot" 2 3)" "restored box (2, 3)"
e2e_expect_eq "ffffff" "$(box_fill "$shot" 5 3)" "restored box (5, 3)"
e2e_expect_eq "000000" "$(e2e_client_pixel "$shot" $((E2E_CANVAS_X + PITCH * 2 + 4)) $((E2E_CANVAS_Y + PITCH * 3 + 16)))" \
    "outline of restored box (2, 3)"
# Only the restored program's own copy is left: the killed one's files are gone.
e2e_expect_eq "1" "$(ls "$E2E_DIR"/recovery/*.lock 2>/dev/null | wc -l)" "locks after the restore"

# Escape asks the save question in place of the exit question; Don't Save ends the program and
# removes the copy.
e2e_click 400 600
e2e_key Escape
box=$(e2e_wait_window "^Programador$") || e2e_fail "save question did not appear"
xdotool windowfocus --sync "$box" 2>/dev/null || true
e2e_key n
e2e_wait_exit 15 || e2e_fail "program still running after Don't Save"
e2e_expect_eq "0" "$(ls "$E2E_DIR"/recovery | wc -l)" "files left in the recovery folder"
echo "ok"
