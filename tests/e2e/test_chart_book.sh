#!/usr/bin/env bash
# A chart of many pages from end to end: a list too large for one table builds into a chart book,
# which any ZIP reader opens as work files; the program reads it, shows its pages one by one with
# Ctrl+Page Down / Ctrl+Page Up, records it again page for page, exports one picture per page and
# prints every page on a sheet of its own through the real printer queue.
source "$(dirname "$0")/e2e-lib.sh"

if [ -z "${CUADRIX_PDF_DIR:-}" ] || [ -z "${CUPS_SERVER:-}" ]; then
    chmod 755 "$E2E_DIR"
    source "$E2E_LIB_DIR/../../scripts/printer-env.sh" "$E2E_DIR/cups"
    cuadrix_printer_start || e2e_fail "no printer queue"
    trap 'e2e_finish; cuadrix_printer_stop' EXIT
fi
cd "$E2E_DIR"

# 480 people in teams of four to seven, five levels deep: far more than one table holds.
python3 - <<'EOF'
import random
random.seed(5)
rows, queue, n = [("Id", "Name", "Job title", "Manager")], [("P1", 0)], 1
rows.append(("P1", "Dirección general", "Directora", ""))
while queue and n < 480:
    manager, depth = queue.pop(0)
    for _ in range(random.randint(4, 7)):
        n += 1
        rows.append((f"P{n}", f"Persona {n}", f"Puesto {n % 17}", manager))
        if depth < 4:
            queue.append((f"P{n}", depth + 1))
with open("list.csv", "w", encoding="utf-8") as f:
    f.write("\n".join(",".join(r) for r in rows) + "\n")
EOF

run_quietly() {
    CODE=0
    timeout 120 wine "$E2E_DIR/Cuadrix.exe" "$@" >stdout.txt 2>stderr.txt || CODE=$?
    ERR=$(tr -d '\r' <stderr.txt)
}

run_quietly /build list.csv one.qdrx
e2e_expect_eq 3 "$CODE" "exit code of /build to a work file"
grep -q "\.qdrb" <<<"$ERR" || e2e_fail "/build to a work file should point to .qdrb, said: $ERR"
[ ! -e one.qdrx ] || e2e_fail "/build to a work file wrote one"

run_quietly /build list.csv chart.qdrb
e2e_expect_eq 0 "$CODE" "exit code of /build ($ERR)"
# Any ZIP reader opens the book: each entry a whole work file named after its page.
PAGES=$(python3 - <<'EOF'
import zipfile
z = zipfile.ZipFile("chart.qdrb")
assert z.testzip() is None
names = z.namelist()
assert len(names) > 2, names
for i, name in enumerate(names):
    assert name.startswith(f"{i + 1:02d} ") and name.endswith(".qdrx"), name
    assert len(z.read(name)) % 1345 == 0, name
assert names[0] == "01 Dirección general.qdrx", names[0]
print(len(names))
EOF
) || e2e_fail "the book is no ZIP of work files"

run_quietly /export chart.qdrb page.png
e2e_expect_eq 0 "$CODE" "exit code of /export ($ERR)"
e2e_expect_eq "$PAGES" "$(ls page-*.png | wc -l)" "pictures exported"

# The program reads the book and shows its pages in turn with the keyboard.
e2e_start "$(winepath -w "$E2E_DIR/chart.qdrb")"
e2e_main_window "^chart.qdrb - Organigrama$"
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
canvas() { # the canvas as the screen shows it, to a file
    local origin
    read -r -a origin <<<"$(e2e_client_origin)"
    e2e_screenshot screen.png
    convert screen.png -crop "600x400+$((origin[0] + 30))+$((origin[1] + 30))" +repage "$1"
}
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }
# Waits (bounded) until the canvas shows the picture, or until it shows anything else.
wait_canvas() { # shown|changed picture what
    for _ in $(seq 40); do
        canvas now.png
        if [ "$1" = shown ]; then same now.png "$2" && return 0; else same now.png "$2" || return 0; fi
        sleep 0.25
    done
    e2e_fail "$3"
}
canvas first.png
e2e_key ctrl+Next
wait_canvas changed first.png "Ctrl+Page Down showed no other page"
cp now.png second.png
for _ in $(seq 2 "$PAGES"); do e2e_key ctrl+Next; done
wait_canvas shown first.png "Ctrl+Page Down past the last page did not come back to the first"
# Back by all pages but one, past the first: the second page again.
for _ in $(seq 2 "$PAGES"); do e2e_key ctrl+Prior; done
wait_canvas shown second.png "Ctrl+Page Up did not go back to the second page"

# Ctrl+S records the book to its own file: every page as it was built, byte for byte.
cp chart.qdrb built.qdrb
e2e_key ctrl+s
for _ in $(seq 40); do
    [ chart.qdrb -nt built.qdrb ] && break
    sleep 0.25
done
python3 - <<'EOF' || e2e_fail "the recorded book differs from the one read"
import zipfile
a, b = zipfile.ZipFile("built.qdrb"), zipfile.ZipFile("chart.qdrb")
assert a.namelist() == b.namelist()
assert all(a.read(n) == b.read(n) for n in a.namelist())
EOF

# Print... prints every page, each on a sheet of its own, in page order.
rm -f "$CUADRIX_PDF_DIR"/*.pdf
e2e_key ctrl+p
dialog=$(e2e_wait_window "^Print$") || e2e_fail "Ctrl+P showed no print dialog"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
e2e_key Return
pdf=""
for _ in $(seq 240); do
    pdf=$(find "$CUADRIX_PDF_DIR" -name "*.pdf" | head -1)
    [ -n "$pdf" ] && [ -z "$(lpstat -o 2>/dev/null)" ] && break
    sleep 0.5
done
[ -n "$pdf" ] || e2e_fail "no PDF came out of the queue"
e2e_expect_eq "$PAGES" "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" "printed sheets"
# Every sheet shows its page: the ink on it has the shape of the ink of that page's export.
for page in $(seq "$PAGES"); do
    pdftoppm -r 50 -png -singlefile -f "$page" -l "$page" "$pdf" sheet
    read -r sw sh <<<"$(convert sheet.png -fuzz 20% -trim -format '%w %h' info:)"
    read -r ew eh <<<"$(convert "$(printf "page-%02d.png" "$page")" -fuzz 20% -trim -format '%w %h' info:)"
    python3 -c "import sys; a, b = $sw / $sh, $ew / $eh; sys.exit(abs(a - b) > 0.04 * b)" ||
        e2e_fail "sheet $page (${sw}x$sh) is not shaped as page $page (${ew}x$eh)"
done
echo "PASS"
