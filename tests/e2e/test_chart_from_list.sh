#!/usr/bin/env bash
# "Build from list…": a list saved by a spreadsheet in Spanish settings (semicolons, UTF-8 with a
# byte-order mark) is chosen in the open dialog, its columns shown and one changed in the column
# dialog, and it becomes a chart on the screen; the chart is then recorded, and the work file holds
# every person's box once, with the columns chosen.
source "$(dirname "$0")/e2e-lib.sh"

list="$E2E_DIR/personas.csv"
{
    printf '\xef\xbb\xbf'
    printf '%s\r\n' "Nombre;Puesto;Jefe" \
        "Lucía Navarro;Directora general;" \
        "Pablo Romero;Director financiero;Lucía Navarro" \
        "Inês Carvalho;Directora de operaciones;Lucía Navarro" \
        "Jürgen Becker;Jefe de tecnología;Lucía Navarro" \
        "Marta Castillo;Contable;Pablo Romero" \
        "Luis Fontaine;Tesorero;Pablo Romero" \
        "Giulia Ricci;Jefa de planta;Inês Carvalho" \
        "Henrik Moreau;Logística;Inês Carvalho" \
        "Ana Pereira;Compras;Inês Carvalho" \
        "Emily Harrison;Desarrolladora;Jürgen Becker" \
        "George Sullivan;\"Administrador de sistemas\";Jürgen Becker"
} >"$list"

# Types a path into the file dialog that has just opened (the file name box has the focus).
choose_file() { # window-title-pattern-or-empty known-windows path
    local dialog
    if [ -n "$1" ]; then
        dialog=$(e2e_wait_window "$1") || e2e_fail "file dialog did not open"
    else
        dialog=$(e2e_wait_new_window "$2" | cut -d' ' -f1) || e2e_fail "file dialog did not open"
    fi
    e2e_wait_active "$dialog"
    xdotool type --delay 20 "$(winepath -w "$3")"
    e2e_key Return
    for _ in $(seq 40); do
        xdotool getwindowname "$dialog" >/dev/null 2>&1 || break
        [ -z "$(xdotool search --onlyvisible --name "$(xdotool getwindowname "$dialog")" 2>/dev/null)" ] && break
        sleep 0.25
    done
}

e2e_start
e2e_main_window "^Organigrama$"
shot="$E2E_DIR/empty.png"
e2e_screenshot "$shot"
blank=$(e2e_client_dark_pixels "$shot" 30 30 1000 600)

e2e_menu 4 2 # Organigrama > Construir desde lista…
choose_file "Construir desde lista" "" "$list"
# The columns found are shown for a check; the job titles are left out (Shift+Tab from OK back to
# the job title's drop-down, Home for "(ninguna)"), and Enter builds.
columns=$(e2e_wait_window "^Columnas de la lista$") || e2e_fail "the column dialog did not appear"
e2e_screenshot "$E2E_DIR/columns.png"
e2e_wait_active "$columns"
for key in shift+Tab shift+Tab shift+Tab Home Return; do e2e_key "$key"; done
e2e_wait_gone "^Columnas de la lista$"
# Eleven boxes with two or three lines of text and their connectors darken the canvas.
shot="$E2E_DIR/chart.png"
chart_shown() {
    e2e_screenshot "$shot"
    ink=$(e2e_client_dark_pixels "$shot" 30 30 1000 600)
    [ "$ink" -gt $((blank + 3000)) ] && echo "chart" || echo "$ink dark pixels, $blank before"
}
e2e_expect_eq "chart" "$(e2e_until chart chart_shown)" "the chart on the canvas"

# Operaciones > Grabar archivo, into the test folder.
known=$(e2e_visible_windows)
e2e_menu 0 4
choose_file "" "$known" "$E2E_DIR/organigrama.qdrx"
recorded() { [ -s "$E2E_DIR/organigrama.qdrx" ] && echo recorded || echo missing; }
e2e_expect_eq "recorded" "$(e2e_until recorded recorded)" "the recorded chart"
python3 - "$E2E_DIR/organigrama.qdrx" "$list" <<'PY' || e2e_fail "recorded chart does not match the list"
import sys
data = open(sys.argv[1], "rb").read()
rows = open(sys.argv[2], encoding="utf-8-sig").read().splitlines()[1:]
for row in rows:
    name, title, _ = row.split(";")
    text = name.encode("utf-16-le") + b"\0\0"  # the job titles were left out
    count = data.count(text)
    if count != 1:
        sys.exit(f"{name}: {count} boxes")
PY
echo "ok"
