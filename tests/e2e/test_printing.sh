#!/usr/bin/env bash
# Printing through a real printer queue (CUPS with the cups-pdf printer): "/print" without a window
# and Print... from the menu and with Ctrl+P put the chart on one landscape page, fitted and
# centred, read back from the PDF and compared with the PNG export (the chart's own extent); Cancel prints nothing; a bad
# file, a missing printer and a queue that refuses the job end with their exit codes and print
# nothing.
source "$(dirname "$0")/e2e-lib.sh"

# The test run's queue (scripts/test.sh), or else one of our own for this test alone.
if [ -z "${CUADRIX_PDF_DIR:-}" ] || [ -z "${CUPS_SERVER:-}" ]; then
    chmod 755 "$E2E_DIR"
    source "$E2E_LIB_DIR/../../scripts/printer-env.sh" "$E2E_DIR/cups"
    cuadrix_printer_start || e2e_fail "no printer queue"
    trap 'e2e_finish; cuadrix_printer_stop' EXIT
fi
TOOLS=$(cd "$(dirname "$E2E_EXE")/tests" && pwd)
cd "$E2E_DIR"
wine "$TOOLS/MakeSampleChart.exe" "$(winepath -w "$E2E_DIR")" >/dev/null || e2e_fail "no sample chart"
wine "$E2E_DIR/Cuadrix.exe" /export chart.qdrx chart.png || e2e_fail "no PNG export"
read -r width height <<<"$(identify -format '%w %h' chart.png)"
convert chart.png -depth 8 rgb:export.rgb

jobs_queued() { lpstat -W all -o "${CUADRIX_PRINTER:-Cuadrix_PDF}" 2>/dev/null | wc -l; }

# Waits (bounded) for the one PDF of the job just queued, checks its page against the export and
# its name: the printer names it after the job, and the job is named after the chart.
expect_printed_page() { # what
    local pdf="" pw ph
    for _ in $(seq 180); do
        pdf=$(find "$CUADRIX_PDF_DIR" -name "*.pdf" | head -1)
        [ -n "$pdf" ] && [ -z "$(lpstat -o 2>/dev/null)" ] && break
        sleep 0.5
    done
    [ -n "$pdf" ] || e2e_fail "$1: no PDF came out of the queue"
    e2e_expect_eq 1 "$(find "$CUADRIX_PDF_DIR" -name "*.pdf" | wc -l)" "$1: PDF files"
    e2e_expect_eq 1 "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" "$1: pages"
    [[ "$(basename "$pdf")" == chart* ]] || e2e_fail "$1: the job is named $(basename "$pdf"), not after chart.qdrx"
    pdftoppm -r 100 -png -singlefile "$pdf" page
    read -r pw ph <<<"$(identify -format '%w %h' page.png)"
    convert page.png -depth 8 rgb:page.rgb
    python3 "$E2E_LIB_DIR/compare_print.py" page.rgb "$pw" "$ph" export.rgb "$width" "$height" landscape ||
        e2e_fail "$1: the page does not show the exported chart"
    rm -f "$CUADRIX_PDF_DIR"/*.pdf
}

# Runs the program without a window (with RUN_ENV in its environment); leaves the exit code in
# CODE and standard error in ERR.
run_quietly() {
    CODE=0
    # shellcheck disable=SC2086
    timeout 60 env ${RUN_ENV:-} wine "$E2E_DIR/Cuadrix.exe" "$@" >stdout.txt 2>stderr.txt || CODE=$?
    ERR=$(tr -d '\r' <stderr.txt)
}

expect_refused() { # code pattern args...
    local code=$1 pattern=$2 before
    shift 2
    before=$(jobs_queued)
    run_quietly "$@"
    e2e_expect_eq "$code" "$CODE" "exit code of '$*'"
    [ "$(wc -l <stderr.txt)" -eq 1 ] && grep -q -- "$pattern" <<<"$ERR" ||
        e2e_fail "'$*' should say one line with '$pattern', said: $ERR"
    e2e_expect_eq "$before" "$(jobs_queued)" "jobs queued after '$*'"
}

rm -f "$CUADRIX_PDF_DIR"/*.pdf
known=$(e2e_visible_windows)
run_quietly /print chart.qdrx
e2e_expect_eq 0 "$CODE" "exit code of /print ($ERR)"
[ -z "$ERR" ] || e2e_fail "/print said: $ERR"
e2e_expect_eq "$known" "$(e2e_visible_windows)" "windows after /print"
expect_printed_page "/print"

head -c 1000 /dev/urandom >bad.qdrx
expect_refused 3 "bad.qdrx" /print bad.qdrx
expect_refused 2 "missing.qdrx" /print missing.qdrx
expect_refused 1 "/print" /print
RUN_ENV=CUPS_SERVER=/nonexistent/cups.sock expect_refused 6 "impresora" /print chart.qdrx
# A queue that refuses jobs: the printer's refusal is told, and the queue takes jobs again after.
cupsreject "${CUADRIX_PRINTER:-Cuadrix_PDF}"
before=$(jobs_queued)
run_quietly /print chart.qdrx
cupsaccept "${CUADRIX_PRINTER:-Cuadrix_PDF}"
e2e_expect_eq 7 "$CODE" "exit code of a refused job"
grep -q "chart.qdrx" <<<"$ERR" || e2e_fail "a refused job said: $ERR"
e2e_expect_eq "$before" "$(jobs_queued)" "jobs queued after a refusal"

# From the menu: Ctrl+P opens the print dialog, Cancel prints nothing; Print... and OK print.
e2e_start "$(winepath -w "$E2E_DIR/chart.qdrx")"
e2e_main_window "Organigrama$"
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
# A file dialog cancelled in between leaves the job's name to the chart.
known=$(e2e_visible_windows)
e2e_key ctrl+o
popup=$(e2e_wait_new_window "$known") || e2e_fail "Ctrl+O showed no file dialog"
xdotool windowfocus --sync "${popup%% *}" 2>/dev/null || true
e2e_key Escape
for _ in $(seq 40); do
    [ "$(e2e_visible_windows)" = "$known" ] && break
    sleep 0.25
done
e2e_expect_eq "$known" "$(e2e_visible_windows)" "windows after the file dialog was cancelled"
before=$(jobs_queued)
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_key ctrl+p
cancelled=$(e2e_wait_window "^Print$") || e2e_fail "Ctrl+P showed no print dialog"
xdotool windowfocus --sync "$cancelled" 2>/dev/null || true
e2e_key Escape
# The menu works again only once the cancelled print has returned: by the time the next dialog is
# up, the first one is gone and had nothing to queue.
e2e_menu 0 9 # Operations > Print…, after Export to PDF…
dialog=$(e2e_wait_window "^Print$") || e2e_fail "Print... showed no print dialog"
e2e_expect_eq "$dialog" "$(xdotool search --onlyvisible --name "^Print$" 2>/dev/null)" "print dialogs open"
[ "$dialog" != "$cancelled" ] || e2e_fail "the cancelled print dialog stayed open"
e2e_expect_eq "$before" "$(jobs_queued)" "jobs queued after Cancel"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
e2e_key Return
expect_printed_page "Print..."
e2e_finish

# No printer: one message, no dialog, nothing queued.
CUPS_SERVER=/nonexistent/cups.sock e2e_start "$(winepath -w "$E2E_DIR/chart.qdrx")"
e2e_main_window "Organigrama$"
before=$(jobs_queued)
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_key ctrl+p
box=$(e2e_wait_window "^Programador$") || e2e_fail "no message without a printer"
xdotool search --onlyvisible --name "^Print$" >/dev/null 2>&1 && e2e_fail "a print dialog without a printer"
xdotool windowfocus --sync "$box" 2>/dev/null || true
e2e_key Return
e2e_expect_eq "$before" "$(jobs_queued)" "jobs queued without a printer"
echo "PASS"
